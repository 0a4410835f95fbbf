#include "script/registry/ObjectTable.h"

#include "script/value/ScriptError.h"

#include <QtCore/QHash>
#include <QtCore/QMutex>

namespace pgx::script {

namespace {

struct Table
{
    QMutex mutex;
    QHash<qint64, QObject *> byHandle;
    QHash<QObject *, qint64> byObject;
    qint64 next = 1;
};

Table &table()
{
    static Table t;
    return t;
}

}   // namespace

qint64 TkxObjectTable::handleOf(QObject *object)
{
    if (!object)
        return 0;
    Table &t = table();
    QMutexLocker lock(&t.mutex);
    auto it = t.byObject.constFind(object);
    if (it != t.byObject.cend())
        return *it;
    const qint64 h = t.next++;
    t.byHandle.insert(h, object);
    t.byObject.insert(object, h);
    lock.unlock();
    // Destroyed objects leave the table at once; the handle stays dead.
    QObject::connect(object, &QObject::destroyed, [object]() {
        Table &tt = table();
        QMutexLocker l(&tt.mutex);
        const qint64 handle = tt.byObject.take(object);
        tt.byHandle.remove(handle);
    });
    return h;
}

QObject *TkxObjectTable::object(const Variant &handle)
{
    if (handle.isNull() || handle.isEmpty())
        return nullptr;
    qint64 h = 0;
    if (handle.isInteger() || handle.type() == varDispatch)
        h = handle.rawInt();
    else
        h = handle.toInt64();
    if (h == 0)
        return nullptr;
    Table &t = table();
    QMutexLocker lock(&t.mutex);
    QObject *o = t.byHandle.value(h);
    if (!o)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return o;
}

QObject *TkxObjectTable::nonNil(const Variant &handle)
{
    QObject *o = object(handle);
    if (!o)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return o;
}

QString TkxObjectTable::scriptClassName(const QMetaObject *meta)
{
    const QString full = QString::fromLatin1(meta->className());
    const int colon = full.lastIndexOf(QLatin1Char(':'));
    return colon < 0 ? full : full.mid(colon + 1);
}

int TkxObjectTable::liveCount()
{
    Table &t = table();
    QMutexLocker lock(&t.mutex);
    return int(t.byHandle.size());
}

void TkxObjectTable::throwBadCast(QObject *, const char *)
{
    throw ScriptError(QStringLiteral("Invalid class typecast"), QStringLiteral("EInvalidCast"));
}

}   // namespace pgx::script
