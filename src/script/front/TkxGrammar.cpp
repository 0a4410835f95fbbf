#include "TkxGrammar.h"

#include "FrontXml.h"

#include "persist/XMLDocument.h"
#include "platform/Error.h"

namespace pgx::script {

namespace {

void classify(GrammarElement &e)
{
    e.container = e.op == GrammarOp::Switch || e.op == GrammarOp::OptionalSwitch
        || e.op == GrammarOp::Loop || e.op == GrammarOp::OptionalLoop
        || e.op == GrammarOp::Optional;
    e.usesNode = e.node.compare(QLatin1String("uses"), Qt::CaseInsensitive) == 0;
    e.exprNode = e.node.compare(QLatin1String("expr"), Qt::CaseInsensitive) == 0;
}

struct OpName
{
    const char *name;
    GrammarOp op;
};

constexpr OpName kOps[] = {
    {"char", GrammarOp::Char},         {"keyword", GrammarOp::Keyword},
    {"ident", GrammarOp::Ident},       {"number", GrammarOp::Number},
    {"string", GrammarOp::String},     {"frstring", GrammarOp::FrString},
    {"eol", GrammarOp::Eol},           {"sequence", GrammarOp::Sequence},
    {"switch", GrammarOp::Switch},     {"optionalswitch", GrammarOp::OptionalSwitch},
    {"loop", GrammarOp::Loop},         {"optionalloop", GrammarOp::OptionalLoop},
    {"optional", GrammarOp::Optional},
};

GrammarOp opOf(const QString &lowerName)
{
    for (const OpName &entry : kOps)
        if (lowerName == QLatin1String(entry.name))
            return entry.op;
    return GrammarOp::Reference;
}

[[noreturn]] void invalidFormat()
{
    throw pgx::Error(QStringLiteral("Invalid file format"));
}

// The name and attributes of an element of the grammar document; a
// malformed one makes the whole document invalid.
struct Element
{
    QString name;
    XmlAttributes attributes;

    explicit Element(const TpgxXMLItem &item)
    {
        if (!readXmlElement(item, name, attributes))
            invalidFormat();
    }
    QString attribute(QStringView attributeName) const
    {
        return xmlAttribute(attributes, attributeName);
    }
    bool hasAttribute(QStringView attributeName) const
    {
        return hasXmlAttribute(attributes, attributeName);
    }
};

}   // namespace

QString GrammarTypeAlias::attribute(QStringView attributeName) const
{
    return xmlAttribute(attributes, attributeName);
}

std::shared_ptr<const TkxGrammar> TkxGrammar::parse(const QString &text)
{
    TpgxXMLDocument document;
    QString error;
    if (!loadXmlText(text, document, &error))
        throw pgx::Error(error);
    const TpgxXMLItem &root = *document.root();
    const Element language(root);
    if (language.name.compare(QLatin1String("language"), Qt::CaseInsensitive) != 0)
        invalidFormat();

    auto grammar = std::make_shared<TkxGrammar>();
    grammar->m_name = language.attribute(u"text");

    // First pass: settings, keywords, errors and types, and the rule names,
    // so that references resolve whatever the order of the rules.
    std::vector<std::pair<const TpgxXMLItem *, Element>> rules;
    for (int c = 0; c < root.count(); ++c) {
        const TpgxXMLItem &child = *root.items(c);
        Element element(child);
        const QString name = element.name.toLower();
        if (name == QLatin1String("parser")) {
            for (int s = 0; s < child.count(); ++s) {
                const TpgxXMLItem &settingItem = *child.items(s);
                const Element setting(settingItem);
                const QString key = setting.name.toLower();
                if (key == QLatin1String("keywords")) {
                    for (int k = 0; k < settingItem.count(); ++k)
                        grammar->m_keywords.append(Element(*settingItem.items(k)).name);
                } else if (key == QLatin1String("errors")) {
                    for (int e = 0; e < settingItem.count(); ++e) {
                        const Element err(*settingItem.items(e));
                        grammar->m_errorIndex.insert(err.name.toLower(),
                                                     int(grammar->m_errorTexts.size()));
                        grammar->m_errorTexts.append(err.attribute(u"text"));
                    }
                } else {
                    grammar->m_settings.append({key, setting.attribute(u"text")});
                }
            }
        } else if (name == QLatin1String("types")) {
            // A later <types> replaces an earlier one.
            grammar->m_types.clear();
            for (int t = 0; t < child.count(); ++t) {
                Element alias(*child.items(t));
                grammar->m_types.push_back({std::move(alias.name), std::move(alias.attributes)});
            }
        } else {
            rules.emplace_back(&child, std::move(element));
        }
    }
    // Rule elements come first in the table so that a rule's index is known
    // before any body refers to it.
    grammar->m_elements.resize(rules.size());
    for (size_t i = 0; i < rules.size(); ++i) {
        const QString name = rules[i].second.name.toLower();
        if (!grammar->m_rules.contains(name))
            grammar->m_rules.insert(name, int(i));
    }
    for (size_t i = 0; i < rules.size(); ++i) {
        GrammarElement rule;
        rule.op = GrammarOp::Rule;
        const auto &[item, element] = rules[i];
        rule.name = element.name;
        rule.node = element.attribute(u"node");
        rule.add = element.attribute(u"add");
        for (int b = 0; b < item->count(); ++b)
            rule.children.push_back(grammar->addElement(*item->items(b)));
        classify(rule);
        grammar->m_elements[i] = std::move(rule);
    }
    grammar->m_programRule = grammar->ruleIndex(QStringLiteral("program"));
    return grammar;
}

// The reader bounds the nesting of elements, so this recursion is bounded.
int TkxGrammar::addElement(const TpgxXMLItem &item)
{
    const Element source(item);
    GrammarElement e;
    e.name = source.name;
    const QString lowerName = source.name.toLower();
    e.op = opOf(lowerName);
    if (e.op == GrammarOp::Reference)
        e.rule = ruleIndex(lowerName);
    if (source.hasAttribute(u"text")) {
        e.hasText = true;
        // Keyword texts are written upper-case in the grammars and compared
        // lower-cased.
        e.text = source.attribute(u"text").toLower().toUtf8();
    }
    if (source.hasAttribute(u"err")) {
        const QString errName = source.attribute(u"err").toLower();
        e.error = m_errorIndex.value(errName, -1);
        if (e.error < 0) {
            // An error name the grammar does not define still fails with a
            // message: its own name.
            e.error = int(m_errorTexts.size());
            m_errorIndex.insert(errName, e.error);
            m_errorTexts.append(source.attribute(u"err"));
        }
    }
    e.term = source.attribute(u"term") == QLatin1String("1");
    const QString skip = source.attribute(u"skip");
    e.noSkip = skip == QLatin1String("0");
    e.discardLastError = skip == QLatin1String("1");
    e.add = source.attribute(u"add");
    if (source.hasAttribute(u"addtext")) {
        e.hasAddText = true;
        e.addText = source.attribute(u"addtext").toLower().toUtf8();
    }
    e.node = source.attribute(u"node");
    classify(e);
    std::vector<int> children;
    for (int c = 0; c < item.count(); ++c)
        children.push_back(addElement(*item.items(c)));
    e.children = std::move(children);
    m_elements.push_back(std::move(e));
    return int(m_elements.size() - 1);
}

int TkxGrammar::ruleIndex(const QString &name) const
{
    return m_rules.value(name.toLower(), -1);
}

}   // namespace pgx::script
