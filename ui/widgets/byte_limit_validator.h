// Keeps a line edit's text within a number of bytes as the program stores it (UTF-8). An edit
// that would pass the limit is refused whole: a typed, pasted or composed text either fits
// entirely or changes nothing, so no character is ever cut in half. A text that is already
// too long when it is put into the edit is shown as it is and may be shortened.
#pragma once

#include <QValidator>

namespace tv {

class CByteLimitValidator : public QValidator {
    Q_OBJECT
  public:
    CByteLimitValidator(int maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

  private:
    int maxBytes_;
};

}  // namespace tv
