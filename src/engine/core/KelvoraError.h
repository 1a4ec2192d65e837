#pragma once

#include <QString>
#include <stdexcept>

// A command refused with the program's own message; nothing has changed when it is thrown.
class KelvoraError : public std::runtime_error {
  public:
    explicit KelvoraError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

  private:
    QString m_message;
};
