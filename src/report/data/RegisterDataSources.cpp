// The database and file data sources and the SQL connection.
#include "report/root/RegisterClasses.h"

#include "meta/ClassRegistry.h"
#include "report/data/TpgxCSVDataSet.h"
#include "report/data/TpgxSQLDataSets.h"

namespace pgx {

void registerDataSourceClasses()
{
    ClassRegistry::add<TpgxCustomDBDataSet>();
    ClassRegistry::add<TpgxDBDataSet>();
    ClassRegistry::add<TpgxSQLConnection>();
    ClassRegistry::add<TpgxSQLDataSet>();
    ClassRegistry::add<TpgxSQLQuery>();
    ClassRegistry::add<TpgxSQLTable>();
    ClassRegistry::add<TpgxCSVDataSet>();
}

}   // namespace pgx
