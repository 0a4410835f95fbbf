// The reflection: what a class declaration yields, property by property.
#include "SampleClasses.h"

#include "meta/ClassDescriptor.h"
#include "meta/ClassRegistry.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

using pgx::PropertyKind;
using pgx::StoredRule;

namespace {

struct ExpectedProperty
{
    const char *name;
    PropertyKind kind;
    const char *typeName;
    QVariant defaultValue;   // invalid: no declared default
    StoredRule stored;
};

// Sample's published list: base class first (Name from SampleNode), then
// declaration order; QObject's objectName is not published.
const ExpectedProperty kSample[] = {
    {"Name", PropertyKind::String, "String", {}, StoredRule::Never},
    {"Count", PropertyKind::Integer, "Integer", 3, StoredRule::Always},
    {"Ratio", PropertyKind::Float, "Extended", 2.5, StoredRule::Always},
    {"Flag", PropertyKind::Boolean, "Boolean", true, StoredRule::Always},
    {"Plain", PropertyKind::Boolean, "Boolean", {}, StoredRule::Always},
    {"Text", PropertyKind::String, "String", {}, StoredRule::Always},
    {"OnClick", PropertyKind::Event, "String", {}, StoredRule::Always},
    {"Mode", PropertyKind::Enumeration, "SampleMode", 1, StoredRule::Always},
    {"Options", PropertyKind::Set, "SampleOptions", 5, StoredRule::Always},
    {"Lines", PropertyKind::StringList, "TStrings", {}, StoredRule::Always},
    {"Value", PropertyKind::Variant, "Variant", {}, StoredRule::Always},
    {"Inner", PropertyKind::SubObject, "SampleInner", {}, StoredRule::Always},
    {"Link", PropertyKind::Reference, "SampleNode", {}, StoredRule::Always},
    {"Big", PropertyKind::Int64, "Int64", {}, StoredRule::Always},
    {"Area", PropertyKind::Unsupported, "QRectF", {}, StoredRule::Always},
    {"Color", PropertyKind::Integer, "TColor", {}, StoredRule::Always},
    {"Hidden", PropertyKind::Integer, "Integer", {}, StoredRule::Never},
    {"Caption", PropertyKind::String, "String", {}, StoredRule::Method},
};

TEST(Reflection, DescribesEveryKindInDeclarationOrder)
{
    const pgx::ClassDescriptor &d = pgx::describe(&Sample::staticMetaObject);
    EXPECT_EQ(d.className, QStringLiteral("Sample"));
    ASSERT_NE(d.base, nullptr);
    EXPECT_EQ(d.base->className, QStringLiteral("SampleNode"));
    EXPECT_EQ(d.base->base, nullptr);
    EXPECT_TRUE(d.problems.isEmpty()) << d.problems.join(QLatin1Char('\n')).toStdString();

    ASSERT_EQ(d.properties.size(), std::size(kSample));
    for (size_t i = 0; i < std::size(kSample); ++i) {
        const ExpectedProperty &e = kSample[i];
        const pgx::PropertyInfo &p = d.properties[i];
        SCOPED_TRACE(e.name);
        EXPECT_EQ(p.name, QLatin1String(e.name));
        EXPECT_EQ(p.kind, e.kind) << pgx::kindName(p.kind).toStdString();
        EXPECT_EQ(p.typeName, QLatin1String(e.typeName));
        EXPECT_EQ(p.hasDefault(), e.defaultValue.isValid());
        if (e.defaultValue.isValid()) {
            EXPECT_EQ(p.defaultValue, e.defaultValue);
        }
        EXPECT_EQ(p.stored, e.stored);
    }
}

TEST(Reflection, EnumerationAndSetNamesByOrdinal)
{
    const pgx::ClassDescriptor &d = pgx::describe(&Sample::staticMetaObject);
    EXPECT_EQ(d.find(u"Mode")->enumNames, (QStringList{"mdOne", "mdTwo", "mdThree"}));
    EXPECT_EQ(d.find(u"Options")->enumNames, (QStringList{"opFirst", "opSecond", "opThird"}));
    EXPECT_EQ(d.find(u"Flag")->enumNames, (QStringList{"False", "True"}));
    EXPECT_EQ(d.find(u"Mode")->ordinalOf(u"mdthree"), 2);
    EXPECT_EQ(d.find(u"Mode")->ordinalOf(u"mdFour"), -1);
}

TEST(Reflection, SubObjectAndReferenceClasses)
{
    const pgx::ClassDescriptor &d = pgx::describe(&Sample::staticMetaObject);
    const pgx::PropertyInfo *inner = d.find(u"Inner");
    ASSERT_EQ(inner->objectClass, &SampleInner::staticMetaObject);
    const pgx::ClassDescriptor &innerClass = pgx::describe(inner->objectClass);
    ASSERT_EQ(innerClass.properties.size(), 2u);
    EXPECT_EQ(innerClass.properties[0].defaultValue, QVariant(1));
    EXPECT_FALSE(innerClass.isComponent());
    EXPECT_EQ(d.find(u"Link")->objectClass, &SampleNode::staticMetaObject);
    EXPECT_TRUE(d.isComponent());
}

TEST(Reflection, ValuesDefaultsAndStoredRulesOnAnInstance)
{
    Sample s;
    SampleNode other;
    const pgx::ClassDescriptor &d = pgx::describe(&s);

    // A fresh instance holds its declared defaults.
    for (const pgx::PropertyInfo &p : d.properties) {
        if (p.hasDefault()) {
            EXPECT_TRUE(p.equalsDefault(&s)) << p.name.toStdString();
        }
    }

    const pgx::PropertyInfo *mode = d.find(u"mode");   // attribute names match in any case
    ASSERT_NE(mode, nullptr);
    EXPECT_TRUE(mode->writeOrdinal(&s, 2));
    EXPECT_EQ(s.mode, Sample::mdThree);
    EXPECT_FALSE(mode->equalsDefault(&s));

    const pgx::PropertyInfo *options = d.find(u"Options");
    EXPECT_TRUE(options->writeOrdinal(&s, 2));
    EXPECT_EQ(s.options, Sample::SampleOptions(Sample::opSecond));
    EXPECT_EQ(options->readOrdinal(&s), 2);

    const pgx::PropertyInfo *flag = d.find(u"Flag");
    EXPECT_TRUE(flag->writeOrdinal(&s, 0));
    EXPECT_EQ(flag->readOrdinal(&s), 0);

    EXPECT_EQ(d.find(u"Inner")->readObject(&s), s.inner());
    EXPECT_EQ(d.find(u"Link")->readObject(&s), nullptr);
    s.setLink(&other);
    EXPECT_EQ(d.find(u"Link")->readObject(&s), &other);
    EXPECT_EQ(d.find(u"Count")->readObject(&s), nullptr);

    // References take components of their class only.
    const pgx::PropertyInfo *link = d.find(u"Link");
    Sample another;
    SampleInner notAComponent;
    EXPECT_TRUE(link->writeReference(&s, &another));
    EXPECT_EQ(s.link(), &another);
    EXPECT_FALSE(link->writeReference(&s, &notAComponent));
    EXPECT_EQ(s.link(), &another);
    EXPECT_TRUE(link->writeReference(&s, nullptr));
    EXPECT_EQ(s.link(), nullptr);
    EXPECT_FALSE(d.find(u"Inner")->writeReference(&s, &notAComponent));

    const pgx::PropertyInfo *caption = d.find(u"Caption");
    EXPECT_TRUE(caption->isStored(&s));
    s.caption = QStringLiteral("auto");
    EXPECT_FALSE(caption->isStored(&s));
    EXPECT_FALSE(d.find(u"Hidden")->isStored(&s));
    EXPECT_FALSE(d.find(u"Plain")->equalsDefault(&s));   // no default: always differs
}

TEST(Reflection, SubclassKeepsThePlaceOfARedeclaredProperty)
{
    const pgx::ClassDescriptor &d = pgx::describe(&SampleDerived::staticMetaObject);
    EXPECT_TRUE(d.problems.isEmpty()) << d.problems.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(d.properties.size(), std::size(kSample) + 1);
    EXPECT_EQ(d.properties[1].name, QStringLiteral("Count"));
    EXPECT_EQ(d.properties[1].defaultValue, QVariant(7));
    EXPECT_EQ(d.properties.back().name, QStringLiteral("Extra"));
    EXPECT_TRUE(d.inherits(&pgx::describe(&Sample::staticMetaObject)));
    // Inherited class info still applies to the subclass.
    EXPECT_EQ(d.find(u"Mode")->defaultValue, QVariant(1));
    // The base's descriptor is unchanged by its subclass.
    EXPECT_EQ(pgx::describe(&Sample::staticMetaObject).properties[1].defaultValue, QVariant(3));
}

TEST(Reflection, ReportsDeclarationMistakes)
{
    const pgx::ClassDescriptor &d = pgx::describe(&SampleBroken::staticMetaObject);
    const QString all = d.problems.join(QLatin1Char('\n'));
    for (const char *expected :
         {"Gap: element gpB has value 2, expected 1", "Bits: element bfB has value 4, expected 2",
          "Number: default \"twelve\" does not fit", "Switch: default \"Maybe\" does not fit",
          "List: a string list property cannot have a declared default",
          "pgx:default:Missing names no published property",
          "Number: stored rule NoSuchRule() is not a Q_INVOKABLE bool method"})
        EXPECT_TRUE(all.contains(QLatin1String(expected))) << expected << "\nin:\n"
                                                           << all.toStdString();
}

TEST(Reflection, DescriptorsAreBuiltOnce)
{
    const pgx::ClassDescriptor *a = &pgx::describe(&Sample::staticMetaObject);
    Sample s;
    EXPECT_EQ(a, &pgx::describe(&s));
}

TEST(ClassRegistry, CreatesRegisteredClassesByNameWithTheirOwner)
{
    pgx::ClassRegistry::add<Sample>();
    pgx::ClassRegistry::add<SampleDerived>();
    pgx::ClassRegistry::add<Sample>();   // again: still one entry

    int samples = 0;
    for (const pgx::ClassDescriptor *d : pgx::ClassRegistry::classes())
        samples += d->className == QLatin1String("Sample");
    EXPECT_EQ(samples, 1);

    SampleNode root;
    pgx::MetaComponent *made = pgx::ClassRegistry::create(u"SampleDerived", &root);
    ASSERT_NE(made, nullptr);
    EXPECT_STREQ(made->metaObject()->className(), "SampleDerived");
    EXPECT_EQ(made->parentComponent(), &root);
    EXPECT_EQ(root.childAt(0), made);
    EXPECT_EQ(static_cast<SampleDerived *>(made)->count, 7);

    EXPECT_EQ(pgx::ClassRegistry::find(u"sample"), nullptr);   // class names are exact
    try {
        pgx::ClassRegistry::create(u"TUnknownThing", &root);
        FAIL() << "no error";
    } catch (const pgx::Error &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Class TUnknownThing not found"));
    }
    EXPECT_EQ(root.childCount(), 1);
}

TEST(MetaComponent, FlagsStartClear)
{
    SampleNode n;
    EXPECT_FALSE(n.isLoading());
    EXPECT_FALSE(n.isWriting());
    EXPECT_FALSE(n.fromAncestor());
    EXPECT_FALSE(n.isReportRoot());
    n.setIsLoading(true);
    n.setIsAncestor(true);
    EXPECT_TRUE(n.isLoading());
    EXPECT_TRUE(n.fromAncestor());
}

TEST(ClassNames, StemsDropTheFamilyPrefixAndOneWord)
{
    const struct
    {
        const char *className;
        const char *word;
        const char *stem;
    } cases[] = {
        {"TpgxMemoView", "View", "Memo"},
        {"TpgxMasterData", "", "MasterData"},
        {"TpgxDataBand4", "Band", "Data4"},
        {"TpgxViewView", "View", "View"},   // the first one only
        {"TpgxReportPage", "View", "ReportPage"},
        {"Tpgx", "", ""},
        {"TSerBox", "", "TSerBox"},       // not of the family: kept
        {"XTpgxMemo", "", "XTpgxMemo"},   // the prefix only at the start
    };
    for (const auto &c : cases)
        EXPECT_EQ(pgx::classNameStem(QString::fromLatin1(c.className), QLatin1StringView(c.word)),
                  QLatin1StringView(c.stem))
            << c.className << " " << c.word;
}

}   // namespace
