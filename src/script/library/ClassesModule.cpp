#include "script/library/ClassesModule.h"

#include "script/library/Classes.h"
#include "script/library/LibraryCommon.h"
#include "script/runtime/Script.h"

namespace pgx::script {

TkxMethodHelper *declareConstructor(TkxClassVariable *cls, const char *declaration)
{
    return cls->declareConstructor(
        QString::fromLatin1(declaration),
        [](QObject *, TkxClassVariable *through, const QString &, TkxMethodHelper &h) {
            return runGuarded([&] {
                if (!through || !through->factory)
                    throw ScriptError(QStringLiteral("Cannot create an instance of %1")
                                          .arg(through ? through->name() : QStringLiteral("?")),
                                      QStringLiteral("EInvalidOperation"));
                QObject *o = through->factory(h);
                if (auto *t = qobject_cast<TObject *>(o))
                    t->scriptCreated = true;
                // Objects without an owner belong to the running script.
                if (!o->parent() && h.script)
                    o->setParent(h.script->program());
                return TkxObjectTable::toVariant(o);
            });
        });
}

namespace {

// A list index as int; values beyond int range stay out of range.
int listIndex(const Variant &v)
{
    return int(qBound<qint64>(-1, v.toInt64(), qint64(INT_MAX)));
}

TStream *streamArg(TkxMethodHelper &h, int i)
{
    TStream *s = TkxObjectTable::as<TStream>(h.params(i));
    if (!s)
        throw ScriptError(QStringLiteral("Invalid object reference"),
                          QStringLiteral("EAccessViolation"));
    return s;
}

TkxClassVariable *cls(TkxScript &s, const QMetaObject &meta, const char *ancestor)
{
    TkxClassVariable *c = declareClass(s, &meta, QString::fromLatin1(ancestor));
    return c ? c : findClassVariable(s, TkxObjectTable::scriptClassName(&meta));
}

template<class T>
TkxClassFactory plainFactory()
{
    return [](TkxMethodHelper &) -> QObject * { return new T(); };
}

void registerObjects(TkxScript &s)
{
    TkxClassVariable *obj = cls(s, TObject::staticMetaObject, "");
    obj->factory = plainFactory<TObject>();
    declareConstructor(obj, "constructor Create");
    obj->declareMethod(
        QStringLiteral("procedure Free"),
        [](QObject *o, TkxClassVariable *, const QString &, TkxMethodHelper &) {
            if (auto *t = qobject_cast<TObject *>(o))
                t->scriptFree();
            else
                throw ScriptError(QStringLiteral("Cannot free an object the script did not create"),
                                  QStringLiteral("EInvalidOperation"));
            return Variant();
        });
    obj->declareMethod(QStringLiteral("function ClassName: String"),
                       [](QObject *o, TkxClassVariable *, const QString &, TkxMethodHelper &) {
                           return str8(TkxObjectTable::scriptClassName(o->metaObject()));
                       });

    TkxClassVariable *pers = cls(s, TPersistent::staticMetaObject, "TObject");
    declareMember<TPersistent>(pers, "procedure Assign(Source: TPersistent)",
                               [](TPersistent *p, TkxMethodHelper &h) {
                                   p->assign(TkxObjectTable::object(h.params(0)));
                                   return Variant();
                               });

    cls(s, TCollectionItem::staticMetaObject, "TPersistent")->factory
        = plainFactory<TCollectionItem>();
    TkxClassVariable *coll = cls(s, TCollection::staticMetaObject, "TPersistent");
    coll->factory = plainFactory<TCollection>();
    declareMember<TCollection>(coll, "procedure Clear", [](TCollection *c, TkxMethodHelper &) {
        c->clear();
        return Variant();
    });
    declareProp<TCollection>(coll, "Count", "Integer",
                             [](TCollection *c) { return Variant::fromInt(c->items.size()); });
    declareIndexed<TCollection>(coll, "Items", "Integer", "TCollectionItem", true, true,
                                [](TCollection *c, TkxMethodHelper &h, bool) {
                                    const qint64 i = h.params(0).toInt64();
                                    if (i < 0 || i >= c->items.size())
                                        throw ScriptError(
                                            QStringLiteral("List index out of bounds (%1)").arg(i),
                                            QStringLiteral("EListError"));
                                    return TkxObjectTable::toVariant(c->items[i]);
                                });

    TkxClassVariable *list = cls(s, TList::staticMetaObject, "TObject");
    list->factory = plainFactory<TList>();
    auto handle
        = [](const Variant &v) { return TkxObjectTable::handleOf(TkxObjectTable::object(v)); };
    declareMember<TList>(list, "function Add(Item: TObject): Integer",
                         [handle](TList *l, TkxMethodHelper &h) {
                             l->items.append(handle(h.params(0)));
                             return Variant::fromInt(l->items.size() - 1);
                         });
    declareMember<TList>(list, "procedure Clear", [](TList *l, TkxMethodHelper &) {
        l->items.clear();
        return Variant();
    });
    declareMember<TList>(list, "procedure Delete(Index: Integer)",
                         [](TList *l, TkxMethodHelper &h) {
                             const qint64 i = h.params(0).toInt64();
                             l->checkIndex(i);
                             l->items.removeAt(i);
                             return Variant();
                         });
    declareMember<TList>(list, "function IndexOf(Item: TObject): Integer",
                         [handle](TList *l, TkxMethodHelper &h) {
                             return Variant::fromInt(l->items.indexOf(handle(h.params(0))));
                         });
    declareMember<TList>(list, "procedure Insert(Index: Integer; Item: TObject)",
                         [handle](TList *l, TkxMethodHelper &h) {
                             const qint64 i = h.params(0).toInt64();
                             if (i != l->items.size())
                                 l->checkIndex(i);
                             l->items.insert(i, handle(h.params(1)));
                             return Variant();
                         });
    declareMember<TList>(list, "function Remove(Item: TObject): Integer",
                         [handle](TList *l, TkxMethodHelper &h) {
                             const qsizetype i = l->items.indexOf(handle(h.params(0)));
                             if (i >= 0)
                                 l->items.removeAt(i);
                             return Variant::fromInt(i);
                         });
    declareProp<TList>(list, "Count", "Integer",
                       [](TList *l) { return Variant::fromInt(l->items.size()); });
    declareIndexed<TList>(list, "Items", "Integer", "TObject", false, true,
                          [handle](TList *l, TkxMethodHelper &h, bool set) {
                              const qint64 i = h.params(0).toInt64();
                              l->checkIndex(i);
                              if (set) {
                                  l->items[i] = handle(h.params(1));
                                  return Variant();
                              }
                              // A freed object's handle stays in the list; using it raises.
                              return Variant::fromInt(l->items[i]);
                          });
}

void registerStrings(TkxScript &s)
{
    TkxClassVariable *c = cls(s, TStrings::staticMetaObject, "TPersistent");
    c->factory = plainFactory<TStringList>();
    auto objHandle
        = [](const Variant &v) { return TkxObjectTable::handleOf(TkxObjectTable::object(v)); };
    using T = TStrings;
    using H = TkxMethodHelper;
    declareMember<T>(c, "function Add(const S: string): Integer",
                     [](T *t, H &h) { return Variant(t->add(h.params(0).toString())); });
    declareMember<T>(c, "function AddObject(const S: string; AObject: TObject): Integer",
                     [objHandle](T *t, H &h) {
                         return Variant(
                             t->addObject(h.params(0).toString(), objHandle(h.params(1))));
                     });
    declareMember<T>(c, "procedure Clear", [](T *t, H &) {
        t->clear();
        return Variant();
    });
    declareMember<T>(c, "procedure Delete(Index: Integer)", [](T *t, H &h) {
        t->removeAt(listIndex(h.params(0)));
        return Variant();
    });
    declareMember<T>(c, "function IndexOf(const S: string): Integer",
                     [](T *t, H &h) { return Variant(t->indexOf(h.params(0).toString())); });
    declareMember<T>(c, "function IndexOfName(const Name: string): Integer",
                     [](T *t, H &h) { return Variant(t->indexOfName(h.params(0).toString())); });
    declareMember<T>(
        c, "function IndexOfObject(AObject: TObject): Integer",
        [objHandle](T *t, H &h) { return Variant(t->indexOfObject(objHandle(h.params(0)))); });
    declareMember<T>(c, "procedure Insert(Index: Integer; const S: string)", [](T *t, H &h) {
        t->insert(listIndex(h.params(0)), h.params(1).toString());
        return Variant();
    });
    declareMember<T>(c, "procedure InsertObject(Index: Integer; const S: string; AObject: TObject)",
                     [objHandle](T *t, H &h) {
                         t->insertObject(listIndex(h.params(0)), h.params(1).toString(),
                                         objHandle(h.params(2)));
                         return Variant();
                     });
    declareMember<T>(c, "procedure LoadFromFile(const FileName: string)", [](T *t, H &h) {
        t->loadFromFile(h.params(0).toString());
        return Variant();
    });
    declareMember<T>(c, "procedure LoadFromStream(Stream: TStream)", [](T *t, H &h) {
        t->loadFromStream(streamArg(h, 0));
        return Variant();
    });
    declareMember<T>(c, "procedure SaveToFile(const FileName: string)", [](T *t, H &h) {
        t->saveToFile(h.params(0).toString());
        return Variant();
    });
    declareMember<T>(c, "procedure Move(CurIndex, NewIndex: Integer)", [](T *t, H &h) {
        t->move(listIndex(h.params(0)), listIndex(h.params(1)));
        return Variant();
    });
    declareMember<T>(c, "procedure SaveToStream(Stream: TStream)", [](T *t, H &h) {
        t->saveToStream(streamArg(h, 0));
        return Variant();
    });
    auto index = [](const Variant &v) { return listIndex(v); };
    declareIndexed<T>(c, "Names", "Integer", "string", true, false,
                      [index](T *t, H &h, bool) { return str8(t->name(index(h.params(0)))); });
    declareIndexed<T>(c, "Objects", "Integer", "TObject", false, false,
                      [index, objHandle](T *t, H &h, bool set) {
                          if (set) {
                              t->putObject(index(h.params(0)), objHandle(h.params(1)));
                              return Variant();
                          }
                          return Variant::fromInt(t->getObject(index(h.params(0))));
                      });
    declareIndexed<T>(c, "Values", "String", "string", false, false, [](T *t, H &h, bool set) {
        if (set) {
            t->setValue(h.params(0).toString(), h.params(1).toString());
            return Variant();
        }
        return str8(t->value(h.params(0).toString()));
    });
    declareIndexed<T>(c, "Strings", "Integer", "string", false, true,
                      [index](T *t, H &h, bool set) {
                          if (set) {
                              t->put(index(h.params(0)), h.params(1).toString());
                              return Variant();
                          }
                          return str8(t->get(index(h.params(0))));
                      });

    TkxClassVariable *sl = cls(s, TStringList::staticMetaObject, "TStrings");
    sl->factory = plainFactory<TStringList>();
    declareMember<TStringList>(sl, "function Find(s: String; var Index: Integer): Boolean",
                               [](TStringList *t, H &h) {
                                   int i = 0;
                                   const bool found = t->find(h.params(0).toString(), &i);
                                   h.setParam(1, Variant(i));
                                   return Variant(found);
                               });
    declareMember<TStringList>(sl, "procedure Sort", [](TStringList *t, H &) {
        t->sort();
        return Variant();
    });
}

void registerStreams(TkxScript &s)
{
    using H = TkxMethodHelper;
    TkxClassVariable *c = cls(s, TStream::staticMetaObject, "TObject");
    declareMember<TStream>(c, "function Read(var Buffer: string; Count: Longint): Longint",
                           [](TStream *t, H &h) {
                               // The buffer takes the size of what was read; a negative count reads nothing.
                               const QByteArray bytes = t->read(h.params(1).toInt64());
                               h.setParam(0, str8(textOfBytes(bytes)));
                               return Variant::fromInt(bytes.size());
                           });
    declareMember<TStream>(
        c, "function Write(Buffer: string; Count: Longint): Longint", [](TStream *t, H &h) {
            // The count is clamped to the buffer: nothing beyond it is written.
            const QString buffer = h.params(0).toString();
            const qint64 count = qBound<qint64>(0, h.params(1).toInt64(), buffer.size());
            return Variant::fromInt(t->write(bytesOf(buffer.left(count))));
        });
    declareMember<TStream>(
        c, "function Seek(Offset: Longint; Origin: Word): Longint", [](TStream *t, H &h) {
            return Variant::fromInt(t->seek(h.params(0).toInt64(), int(h.params(1).toInt64())));
        });
    declareMember<TStream>(
        c, "function CopyFrom(Source: TStream; Count: Longint): Longint", [](TStream *t, H &h) {
            return Variant::fromInt(
                t->copyFrom(streamArg(h, 0), qMax<qint64>(0, h.params(1).toInt64())));
        });

    TkxClassVariable *fs = cls(s, TFileStream::staticMetaObject, "TStream");
    fs->factory = [](H &h) -> QObject * {
        return new TFileStream(h.params(0).toString(), int(h.params(1).toInt64()));
    };
    declareConstructor(fs, "constructor Create(Filename: String; Mode: Word)");

    TkxClassVariable *ms = cls(s, TMemoryStream::staticMetaObject, "TStream");
    ms->factory = plainFactory<TMemoryStream>();
    declareMember<TMemoryStream>(ms, "procedure Clear", [](TMemoryStream *t, H &) {
        t->clear();
        return Variant();
    });
    declareMember<TMemoryStream>(ms, "procedure LoadFromStream(Stream: TStream)",
                                 [](TMemoryStream *t, H &h) {
                                     t->loadFromStream(streamArg(h, 0));
                                     return Variant();
                                 });
    declareMember<TMemoryStream>(ms, "procedure LoadFromFile(Filename: String)",
                                 [](TMemoryStream *t, H &h) {
                                     t->loadFromFile(h.params(0).toString());
                                     return Variant();
                                 });
    declareMember<TMemoryStream>(ms, "procedure SaveToStream(Stream: TStream)",
                                 [](TMemoryStream *t, H &h) {
                                     t->saveToStream(streamArg(h, 0));
                                     return Variant();
                                 });
    declareMember<TMemoryStream>(ms, "procedure SaveToFile(Filename: String)",
                                 [](TMemoryStream *t, H &h) {
                                     t->saveToFile(h.params(0).toString());
                                     return Variant();
                                 });

    TkxClassVariable *comp = cls(s, TComponent::staticMetaObject, "TPersistent");
    comp->factory
        = [](H &h) -> QObject * { return new TComponent(TkxObjectTable::object(h.params(0))); };
    declareConstructor(comp, "constructor Create(AOwner: TComponent)");
    comp->declareProperty(
        QStringLiteral("Owner"), QStringLiteral("TComponent"),
        [](QObject *o, const QString &) { return TkxObjectTable::toVariant(o->parent()); });
}

}   // namespace

TkxClassesFunctions::TkxClassesFunctions(TkxScript &s)
{
    static const struct
    {
        const char *name;
        int value;
    } kConstants[] = {
        {"fmCreate", 65535},     {"fmOpenRead", 0},        {"fmOpenWrite", 1},
        {"fmOpenReadWrite", 2},  {"fmShareExclusive", 16}, {"fmShareDenyWrite", 32},
        {"fmShareDenyNone", 64}, {"soFromBeginning", 0},   {"soFromCurrent", 1},
        {"soFromEnd", 2},
    };
    for (const auto &c : kConstants)
        declareConst(s, QString::fromLatin1(c.name), QStringLiteral("Integer"), Variant(c.value));
    declareEnum(s, QStringLiteral("TDuplicates"), QStringLiteral("dupIgnore, dupAccept, dupError"));
    declareEnum(s, QStringLiteral("TPrinterOrientation"),
                QStringLiteral("poPortrait, poLandscape"));
    registerObjects(s);
    registerStrings(s);
    registerStreams(s);
    registerXmlClasses(s);
}

}   // namespace pgx::script
