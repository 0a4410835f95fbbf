// Every registered report class is fully described by the reflection: the
// golden file lists what each class publishes, and each class is created by
// name and checked against its own declared defaults.
#include "report/component/SampleComponents.h"

#include "platform/Error.h"
#include "report/root/RegisterClasses.h"
#include "report/root/TpgxReport.h"

#include "meta/ClassRegistry.h"
#include "support/GoldenFile.h"

#include <gtest/gtest.h>

#include <QtCore/QTextStream>

namespace {

QString defaultText(const pgx::PropertyInfo &p)
{
    if (!p.hasDefault())
        return QString();
    switch (p.kind) {
    case pgx::PropertyKind::Boolean:
    case pgx::PropertyKind::Enumeration: return p.enumNames.value(p.defaultValue.toInt());
    case pgx::PropertyKind::Set: {
        QStringList names;
        for (int i = 0; i < p.enumNames.size(); ++i)
            if (p.defaultValue.toInt() & (1 << i))
                names << p.enumNames.at(i);
        return QLatin1Char('[') + names.join(QLatin1Char(',')) + QLatin1Char(']');
    }
    default: return p.defaultValue.toString();
    }
}

QString storedText(const pgx::PropertyInfo &p)
{
    switch (p.stored) {
    case pgx::StoredRule::Always: return QString();
    case pgx::StoredRule::Never: return QStringLiteral(" stored=never");
    case pgx::StoredRule::Method:
        return QStringLiteral(" stored=") + QString::fromLatin1(p.storedMethod.name());
    }
    return QString();
}

// One line per property: name, kind, type, default, stored rule and element
// names; sub-objects are described inline, indented.
void describeClass(QTextStream &out, const pgx::ClassDescriptor &d, int depth)
{
    const QString indent(2 * depth, QLatin1Char(' '));
    for (const pgx::PropertyInfo &p : d.properties) {
        out << indent << "  " << p.name << ": " << pgx::kindName(p.kind) << ' ' << p.typeName;
        if (p.hasDefault())
            out << " default=" << defaultText(p);
        out << storedText(p);
        if (p.kind == pgx::PropertyKind::Enumeration || p.kind == pgx::PropertyKind::Set)
            out << " {" << p.enumNames.join(QLatin1Char(',')) << '}';
        out << '\n';
        if (p.kind == pgx::PropertyKind::SubObject && depth < 4)
            describeClass(out, pgx::describe(p.objectClass), depth + 1);
    }
}

QString reflectionText()
{
    QString text;
    QTextStream out(&text);
    for (const pgx::ClassDescriptor *d : pgx::ClassRegistry::classes()) {
        if (!d->className.startsWith(QLatin1String("Tpgx"))
            || d->className.startsWith(QLatin1String("TpgxSample")))
            continue;   // classes other suites register for themselves
        out << d->className;
        if (d->base)
            out << " : " << d->base->className;
        out << '\n';
        describeClass(out, *d, 0);
    }
    return text;
}

TEST(RegisteredClasses, ReflectionMatchesTheGoldenFile)
{
    pgx::registerReportClasses();
    const QString actual = reflectionText();
    EXPECT_TRUE(pgx::test::matchesGoldenFile(
        actual, QStringLiteral(PGX_TEST_DATA "/report/reflection.txt")));
}

// Declared defaults must be what a new object holds, down through its
// sub-objects; a declaration mistake shows here.
void expectDefaultsHold(const QObject *object, const QString &path, int depth)
{
    const pgx::ClassDescriptor &d = pgx::describe(object);
    EXPECT_TRUE(d.problems.isEmpty())
        << path.toStdString() << ": " << d.problems.join(QLatin1Char('\n')).toStdString();
    for (const pgx::PropertyInfo &p : d.properties) {
        const QString name = path + QLatin1Char('.') + p.name;
        EXPECT_TRUE(p.read(object).isValid()) << name.toStdString();
        if (p.hasDefault()) {
            EXPECT_TRUE(p.equalsDefault(object))
                << name.toStdString() << " is not its declared default";
        }
        if (p.kind == pgx::PropertyKind::SubObject && depth < 4) {
            const QObject *sub = p.readObject(object);
            ASSERT_NE(sub, nullptr) << name.toStdString();
            expectDefaultsHold(sub, name, depth + 1);
        }
    }
}

TEST(RegisteredClasses, EachIsCreatedByNameAndHoldsItsDefaults)
{
    pgx::registerReportClasses();
    TpgxReport owner;
    int checked = 0;
    for (const pgx::ClassDescriptor *d : pgx::ClassRegistry::classes()) {
        if (!d->metaObject->inherits(&TpgxComponent::staticMetaObject))
            continue;
        SCOPED_TRACE(d->className.toStdString());
        pgx::MetaComponent *made = pgx::ClassRegistry::create(d->className, &owner);
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->metaObject(), d->metaObject);
        EXPECT_EQ(&pgx::describe(made), d);
        // Made with a component owner: a child of it, freed by the report.
        EXPECT_EQ(made->parentComponent(), &owner);
        EXPECT_EQ(made->parent(), &owner);
        expectDefaultsHold(made, d->className, 0);
        ++checked;
    }
    EXPECT_GE(checked, 5);
    EXPECT_EQ(owner.childCount(), checked);
}

// Every writable property of a simple kind takes a value other than its
// default and reads it back through the reflection; Version keeps its own
// value by design, and a connection's Connected answers whether its
// database really opened (here it has none).
TEST(RegisteredClasses, WritablePropertiesReadBackWhatIsWritten)
{
    pgx::registerReportClasses();
    for (const pgx::ClassDescriptor *d : pgx::ClassRegistry::classes()) {
        if (!d->metaObject->inherits(&TpgxComponent::staticMetaObject))
            continue;
        std::unique_ptr<pgx::MetaComponent> object(d->factory(nullptr));
        for (const pgx::PropertyInfo &p : d->properties) {
            if (!p.isWritable() || p.name == QLatin1String("Version")
                || (d->className == QLatin1String("TpgxSQLConnection")
                    && p.name == QLatin1String("Connected")))
                continue;
            const std::string where = (d->className + QLatin1Char('.') + p.name).toStdString();
            switch (p.kind) {
            case pgx::PropertyKind::Integer:
                EXPECT_TRUE(p.write(object.get(), 42)) << where;
                EXPECT_EQ(p.read(object.get()).toInt(), 42) << where;
                break;
            case pgx::PropertyKind::Float:
                EXPECT_TRUE(p.write(object.get(), 12.5)) << where;
                EXPECT_EQ(p.read(object.get()).toDouble(), 12.5) << where;
                break;
            case pgx::PropertyKind::Boolean:
            case pgx::PropertyKind::Enumeration:
            case pgx::PropertyKind::Set: {
                const int value = p.kind == pgx::PropertyKind::Set ? (1 << p.enumNames.size()) - 1
                                                                   : int(p.enumNames.size()) - 1;
                EXPECT_TRUE(p.writeOrdinal(object.get(), value)) << where;
                EXPECT_EQ(p.readOrdinal(object.get()), value) << where;
                break;
            }
            case pgx::PropertyKind::String:
            case pgx::PropertyKind::Event:
                EXPECT_TRUE(p.write(object.get(), QStringLiteral("Value_1"))) << where;
                EXPECT_EQ(p.read(object.get()).toString(), QStringLiteral("Value_1")) << where;
                break;
            case pgx::PropertyKind::StringList:
                EXPECT_TRUE(p.write(object.get(), QStringList{"a", "", "b"})) << where;
                EXPECT_EQ(p.read(object.get()).toStringList(), (QStringList{"a", "", "b"}))
                    << where;
                break;
            default: break;
            }
        }
    }
}

}   // namespace

namespace {

// The shared enumerations of the component tree, as a view publishes them.
TEST(RegisteredClasses, AlignAndRestrictionsCarryTheirElementNames)
{
    const pgx::ClassDescriptor &d = pgx::describe(&TpgxSampleView::staticMetaObject);
    EXPECT_TRUE(d.problems.isEmpty()) << d.problems.join(QLatin1Char('\n')).toStdString();
    const pgx::PropertyInfo *align = d.find(u"Align");
    ASSERT_NE(align, nullptr);
    EXPECT_EQ(align->kind, pgx::PropertyKind::Enumeration);
    EXPECT_EQ(align->typeName, QStringLiteral("TpgxAlign"));
    EXPECT_EQ(align->enumNames,
              (QStringList{"baNone", "baLeft", "baRight", "baCenter", "baWidth", "baBottom",
                           "baClient"}));
    const pgx::PropertyInfo *restrictions = d.find(u"Restrictions");
    ASSERT_NE(restrictions, nullptr);
    EXPECT_EQ(restrictions->kind, pgx::PropertyKind::Set);
    EXPECT_EQ(
        restrictions->enumNames,
        (QStringList{"rfDontModify", "rfDontSize", "rfDontMove", "rfDontDelete", "rfDontEdit"}));
    EXPECT_EQ(restrictions->defaultValue, QVariant(0));
    EXPECT_EQ(d.find(u"Link")->kind, pgx::PropertyKind::Reference);
    EXPECT_EQ(d.find(u"Font")->stored, pgx::StoredRule::Method);

    // The font's stored rule follows ParentFont on the instance.
    TpgxSampleView v;
    EXPECT_FALSE(d.find(u"Font")->isStored(&v));
    v.font()->setName(QStringLiteral("Tahoma"));
    EXPECT_TRUE(d.find(u"Font")->isStored(&v));
    EXPECT_FALSE(d.find(u"ParentFont")->equalsDefault(&v));
}

TEST(RegisteredClasses, CreateInDesignerRefusesUnknownClasses)
{
    pgx::registerReportClasses();
    EXPECT_THROW(TpgxComponent::createInDesigner(QStringLiteral("TNoSuchClass"), nullptr),
                 pgx::Error);
}

}   // namespace
