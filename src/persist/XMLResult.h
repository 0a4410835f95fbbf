#pragma once

#include <QtCore/QString>

#include "platform/Error.h"

namespace pgx {

// The outcome of reading, writing or swapping an XML document. A document
// that ended before its elements were closed is loaded as far as it goes,
// but the result is not Ok: the caller must tell the user that part of it
// is missing (the report puts description() into its error list).
class TpgxXMLResult
{
public:
    enum Status {
        Ok,
        EndedEarly,      // loaded up to the end of the file; elements were left open
        InvalidFormat,   // nothing loaded: "Invalid file format"
        IOError,         // the stream or file could not be read or written
    };

    TpgxXMLResult() = default;
    TpgxXMLResult(Status status, quint64 offset, QString detail = {})
        : m_status(status), m_offset(offset), m_detail(std::move(detail))
    { }

    explicit operator bool() const { return m_status == Ok; }
    Status status() const { return m_status; }
    // Byte position in the stream where the problem showed.
    quint64 offset() const { return m_offset; }
    // The line for the user: "Invalid file format", the early-end notice or
    // the file error.
    QString description() const;
    // What exactly was wrong, for logs and tests.
    const QString &detail() const { return m_detail; }

private:
    Status m_status = Ok;
    quint64 m_offset = 0;
    QString m_detail;
};

// What the tag scanner raises on bad input; the document turns it into an
// InvalidFormat result. Its message is always "Invalid file format".
class TpgxInvalidXMLException : public Error
{
public:
    TpgxInvalidXMLException(quint64 offset, QString detail);
    quint64 offset() const { return m_offset; }
    const QString &detail() const { return m_detail; }

private:
    quint64 m_offset;
    QString m_detail;
};

}   // namespace pgx
