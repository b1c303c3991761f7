#pragma once

#include <QValidator>
#include <functional>

namespace platform {

// The validator of a numeric entry box: a text is taken only when typed keys could have
// produced it: no longer than the box's length, and every character printable and one the
// box's key filter lets through. So a paste, a drop or an input method's text meets the same
// rule as the keys.
class FieldValidator : public QValidator
{
public:
    FieldValidator(int maxLength, std::function<bool(QChar)> keyPasses, QObject *parent);

    State validate(QString &input, int &pos) const override;

private:
    int m_maxLength;
    std::function<bool(QChar)> m_keyPasses;
};

} // namespace platform
