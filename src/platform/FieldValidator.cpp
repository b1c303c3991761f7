#include "platform/FieldValidator.h"

namespace platform {

FieldValidator::FieldValidator(int maxLength, std::function<bool(QChar)> keyPasses, QObject *parent)
    : QValidator(parent), m_maxLength(maxLength), m_keyPasses(std::move(keyPasses))
{
}

QValidator::State FieldValidator::validate(QString &input, int & /*pos*/) const
{
    if (m_maxLength > 0 && input.size() > m_maxLength)
        return Invalid;
    for (const QChar c : input) {
        if (!c.isPrint() || !m_keyPasses(c))
            return Invalid;
    }
    return Acceptable;
}

} // namespace platform
