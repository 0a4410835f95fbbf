#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

namespace pgx {

// The generic face of a report component: what the serializer, the script
// registry and the object inspector need from a component without knowing any
// report class. TpgxComponent (src/report) implements it; layers below the
// report (persist) work on MetaComponent and the reflection only.
//
// Ownership is the component's business: a component created with an owner
// (ClassRegistry::create) is freed by that owner or by its tree parent.
class MetaComponent : public QObject
{
    Q_OBJECT

public:
    explicit MetaComponent(QObject *owner = nullptr) : QObject(owner) { }
    ~MetaComponent() override;

    // Name, unique within the report and compared without regard to case.
    virtual QString componentName() const = 0;
    // Renames; throws pgx::Error ("Duplicate name", an invalid identifier,
    // a component of the ancestor report) and keeps the old name then.
    virtual void setComponentName(const QString &name) = 0;

    // The tree in drawing and saving order.
    virtual MetaComponent *parentComponent() const = 0;
    virtual qsizetype childCount() const = 0;
    virtual MetaComponent *childAt(qsizetype index) const = 0;

    // The first component of the report (or, outside a report, of this
    // component's subtree) whose name equals `name` without regard to case;
    // null when there is none. References are resolved through it.
    virtual MetaComponent *findComponent(const QString &name) const = 0;

    // Removes the children (those of an ancestor report stay, cleared
    // themselves); the serializer clears a component before reading it.
    virtual void clearComponent() = 0;

    // Run once for each component the serializer has read, after all
    // references are resolved; never for a report root.
    virtual void loaded() { }

    // True for a report root: it keeps its own name when read and gets no
    // after-loading step.
    virtual bool isReportRoot() const { return false; }

    // Set while the serializer reads the component (until its references
    // are resolved) and while it writes it.
    bool isLoading() const { return m_loading; }
    void setIsLoading(bool on) { m_loading = on; }
    bool isWriting() const { return m_writing; }
    void setIsWriting(bool on) { m_writing = on; }

    // The component came from the parent report of an inherited report: it
    // is written as an "inherited" element and cannot be renamed.
    bool fromAncestor() const { return m_ancestor; }
    void setIsAncestor(bool on) { m_ancestor = on; }

private:
    bool m_loading = false;
    bool m_writing = false;
    bool m_ancestor = false;
};

}   // namespace pgx
