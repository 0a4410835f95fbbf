#include "meta/ClassRegistry.h"

#include "meta/MetaComponent.h"
#include "platform/Error.h"

#include <QtCore/QHash>
#include <QtCore/QMutex>

namespace pgx {

namespace {

struct Registry
{
    QMutex mutex;
    QHash<QString, const ClassDescriptor *> byName;
    QList<const ClassDescriptor *> ordered;
};

Registry &registry()
{
    static Registry r;
    return r;
}

}   // namespace

void ClassRegistry::add(const QMetaObject *metaObject, ComponentFactory factory)
{
    Q_ASSERT(metaObject->inherits(&MetaComponent::staticMetaObject));
    const ClassDescriptor &d = describe(metaObject);
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    // The descriptor is immutable for its users except for this one field,
    // written under the registry's lock before the class can be found.
    const_cast<ClassDescriptor &>(d).factory = factory;
    if (!r.byName.contains(d.className))
        r.ordered.append(&d);
    r.byName.insert(d.className, &d);
}

const ClassDescriptor *ClassRegistry::find(QStringView className)
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    return r.byName.value(className.toString(), nullptr);
}

QList<const ClassDescriptor *> ClassRegistry::classes()
{
    Registry &r = registry();
    QMutexLocker lock(&r.mutex);
    return r.ordered;
}

MetaComponent *ClassRegistry::create(QStringView className, QObject *owner)
{
    const ClassDescriptor *d = find(className);
    if (!d || !d->factory)
        throw Error(QStringLiteral("Class %1 not found").arg(className));
    return d->factory(owner);
}

}   // namespace pgx
