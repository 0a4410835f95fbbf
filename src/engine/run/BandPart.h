#pragma once

#include <QtCore/QList>

#include <functional>

class TpgxComponent;

namespace pgx::engine {

// A band placed part by part (a split band, the strips of a row of cells)
// shows only the objects of the part being placed: the store writes only
// visible objects. Every object gets its own visibility back when this
// goes, also when placing fails.
class BandPart
{
public:
    explicit BandPart(const QList<TpgxComponent *> &objects);
    ~BandPart();
    BandPart(const BandPart &) = delete;
    BandPart &operator=(const BandPart &) = delete;

    // Objects that were visible and that `inPart` takes (by index in the
    // band) are shown, all others hidden.
    void showOnly(const std::function<bool(int index, TpgxComponent *object)> &inPart);

private:
    QList<TpgxComponent *> m_objects;
    QList<bool> m_visible;
};

}   // namespace pgx::engine
