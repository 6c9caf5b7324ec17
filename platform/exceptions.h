#pragma once

#include <QString>

#include <stdexcept>

// The one exception family of the program: every failure that reaches the user
// carries a readable message, shown by the application's exception display.
class Exception : public std::runtime_error
{
public:
    explicit Exception(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};

// A text that does not convert to the requested type, or an impossible date.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// An index outside a list's bounds.
class EListError : public Exception
{
public:
    using Exception::Exception;
};

// A failed table operation: missing table, key violation, value too long ...
class EDatabaseError : public Exception
{
public:
    using Exception::Exception;
};

// A unique index would get a second record with the same key.
class EKeyViolation : public EDatabaseError
{
public:
    using EDatabaseError::EDatabaseError;
};

// An operation that the object's current state does not allow.
class EInvalidOperation : public Exception
{
public:
    using Exception::Exception;
};
