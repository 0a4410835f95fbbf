#include "persist/XMLResult.h"

namespace pgx {

namespace {
const char kInvalidFormat[] = "Invalid file format";
}

QString TpgxXMLResult::description() const
{
    switch (m_status) {
    case Ok: return {};
    case EndedEarly:
        return QStringLiteral("The file ended before the document was complete: "
                              "only the part up to its end was loaded");
    case InvalidFormat: return QString::fromLatin1(kInvalidFormat);
    case IOError: return m_detail;
    }
    return {};
}

TpgxInvalidXMLException::TpgxInvalidXMLException(quint64 offset, QString detail)
    : Error(QString::fromLatin1(kInvalidFormat)), m_offset(offset), m_detail(std::move(detail))
{ }

}   // namespace pgx
