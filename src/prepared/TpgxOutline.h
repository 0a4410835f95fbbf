#pragma once

#include <QtCore/QObject>
#include <QtCore/QString>

#include <functional>
#include <vector>

namespace pgx {
class TpgxXMLItem;
}

// The prepared report's outline: nested "item" nodes under the store's
// "outline" node, each with its text, 0-based page and top. Scripts build it
// through AddItem and the Level... moves; the preview and the PDF's
// bookmarks read it. A QObject so that scripts reach it as "Outline"
// through a checked handle.
class TpgxOutline : public QObject
{
    Q_OBJECT

public:
    struct Item
    {
        QString text;
        int page = 0;
        int top = 0;
    };

    // `root` is the "outline" node; `currentPage` answers the store's current
    // page index for AddItem.
    TpgxOutline(std::function<pgx::TpgxXMLItem *()> root, std::function<int()> currentPage);
    ~TpgxOutline() override;

    // Where a script's AddItem places its item on the page (the engine's
    // CurY while a run lasts); 0 without one.
    void setCurrentTop(std::function<int()> currentTop) { m_currentTop = std::move(currentTop); }
    int currentTop() const { return m_currentTop ? m_currentTop() : 0; }

    // Appends a child to the current node and makes it current.
    void addItem(const QString &text, int top);
    // Also what the store calls whenever its document was cleared or
    // replaced, so that the position never points into freed nodes.
    void levelRoot();
    // To the parent, unless at the root.
    void levelUp();
    // To the child at index; an index out of range leaves the position.
    void levelInto(int index);
    // Children of the current node.
    int count() const;
    Item item(int index) const;
    // The last child of the current node; null when it has none.
    pgx::TpgxXMLItem *currentPosition() const;
    // After a keep moved a band to the next page: the next sibling of `from`
    // (only that one) and everything nested in it move to the next page,
    // their tops by newTop less that sibling's top.
    void shiftItems(pgx::TpgxXMLItem *from, int newTop);
    // The node AddItem appends to.
    pgx::TpgxXMLItem *currentLevel() const { return current(); }
    // After a keep moved everything added since a point to the next page:
    // the children of `level` from `index` on, with everything nested in
    // them, move to the next page, their tops by newTop less the top of the
    // child at `index`. Nothing when there is no such child.
    void shiftItemsFrom(pgx::TpgxXMLItem *level, int index, int newTop);

    static Item itemOf(const pgx::TpgxXMLItem &node);
    // The "outline" node, whose "item" children are the top entries.
    pgx::TpgxXMLItem *rootNode() const { return m_root(); }

private:
    pgx::TpgxXMLItem *current() const;
    // Moves the nodes and everything nested in them to the next page.
    static void shiftNodes(std::vector<pgx::TpgxXMLItem *> pending, int delta);

    std::function<pgx::TpgxXMLItem *()> m_root;
    std::function<int()> m_currentPage;
    std::function<int()> m_currentTop;
    mutable pgx::TpgxXMLItem *m_current = nullptr;
};
