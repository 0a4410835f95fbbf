#pragma once

#include <QtCore/QString>

class TpgxComponent;

namespace pgx::data {

// The file a data component names (a database, a CSV file): an absolute
// name as it is, a relative one in the folder of the component's report
// template, or the working folder while the report has no file name.
QString resolveDataPath(const TpgxComponent *component, const QString &name);

}   // namespace pgx::data
