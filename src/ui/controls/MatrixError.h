#pragma once

#include <QString>
#include <stdexcept>

// A programming error in a selection matrix (a negative size, an index out of range). No user
// action reaches it; the message is short English for the developer.
class TMatrixError : public std::logic_error {
  public:
    explicit TMatrixError(const QString& message)
        : std::logic_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

  private:
    QString m_message;
};
