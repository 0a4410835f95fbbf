#pragma once

// The script XML classes adapt the persist layer's items and documents;
// they add only what scripts need: handles that die with the items.

#include "script/library/Classes.h"

#include <memory>

namespace pgx {
class TpgxXMLItem;
class TpgxXMLDocument;
}   // namespace pgx

namespace pgx::script {

// One wrapper per item (the item's Data points at it). An item created by a
// script is owned by its wrapper until it is added to another item; items of
// a tree belong to the tree. Whatever removes items from a tree first
// invalidates the wrappers below, so that their handles turn stale instead
// of pointing at freed items.
class TkxXMLItem : public TObject
{
    Q_OBJECT
    Q_PROPERTY(int Data READ data WRITE setData)
    Q_PROPERTY(int Count READ count)
    Q_PROPERTY(QString Name READ name WRITE setName)
    Q_PROPERTY(QString Text READ text WRITE setText)
public:
    // A new item of its own.
    explicit TkxXMLItem(QObject *parent = nullptr);
    ~TkxXMLItem() override;

    // The wrapper of an item, made on first use with `parent` as its QObject parent.
    static TkxXMLItem *wrap(TpgxXMLItem *item, QObject *parent);
    // Deletes the wrappers of the item's descendants (and of the item itself).
    static void invalidate(TpgxXMLItem *item, bool includeSelf);

    TpgxXMLItem *item() const;
    int data() const { return m_data; }
    void setData(int d) { m_data = d; }
    int count() const;
    QString name() const;
    void setName(const QString &name);
    QString text() const;
    void setText(const QString &text);
    void scriptFree() override;

private:
    TkxXMLItem(TpgxXMLItem *item, QObject *parent);
    friend class TkxXMLDocument;
    TpgxXMLItem *m_item = nullptr;
    bool m_ownsItem = false;
    int m_data = 0;

public:
    // Adopts an item (moving it from wherever it was); raises for an item
    // that is this one or one of its ancestors.
    void addItem(TkxXMLItem *child, int index = -1);
};

class TkxXMLDocument : public TObject
{
    Q_OBJECT
public:
    explicit TkxXMLDocument(QObject *parent = nullptr);
    ~TkxXMLDocument() override;
    TkxXMLItem *root();
    void loadFromBytes(const QByteArray &bytes);
    QByteArray saveToBytes();
    pgx::TpgxXMLDocument &document() { return *m_doc; }

private:
    std::unique_ptr<pgx::TpgxXMLDocument> m_doc;
};

}   // namespace pgx::script
