#pragma once

// A parameter set that every field accepts, for the used axes (axis 1 in use).
void validParameters();
