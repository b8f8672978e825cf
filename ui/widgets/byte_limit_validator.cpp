#include "ui/widgets/byte_limit_validator.h"

namespace tv {

CByteLimitValidator::CByteLimitValidator(int maxBytes, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes) {}

// The line edit takes back the change that made the text Invalid, and only that change.
QValidator::State CByteLimitValidator::validate(QString& input, int&) const {
    return input.toUtf8().size() <= maxBytes_ ? Acceptable : Invalid;
}

}  // namespace tv
