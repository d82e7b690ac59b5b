#include "app/file_messages.h"

namespace kaz {

QString MessageWithCause(const QString& message, const std::error_code& cause) {
    if (!cause) {
        return message;
    }
    QString sentence = QString::fromLocal8Bit(cause.message().c_str());
    if (!sentence.isEmpty()) {
        sentence[0] = sentence[0].toUpper();
    }
    return message + QLatin1Char('\n') + sentence + QLatin1Char('.');
}

}  // namespace kaz
