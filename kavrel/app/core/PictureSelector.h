#pragma once

#include <QString>
#include <optional>

class TDBX;

// Chooses the picture of the focused node: moves K2T3 to the node's
// picture row (or the attribute table's first row when it has none) and,
// when that changes the row, works out the picture file. The number of the
// picture shown last is kept so that two nodes with the same picture in a
// row do not reload it.
class PictureSelector
{
public:
    PictureSelector(TDBX& dbx, const QString& pictureDir);

    // Moves K2T3 for `node`; true when its current row changed (only then
    // does the picture change run) and at the first call.
    bool moveToNode(int node);

    // The picture change: the file to load, or nothing when the picture is
    // the one shown last. The number counts as shown from here on, also
    // when the file turns out not to exist.
    std::optional<QString> pictureChange();

    int lastShown() const { return m_lastShown; }
    // Picture directory + "\" + IME + ".jpg", or "\blank.jpg" for no name.
    QString fileFor(const QString& ime) const;

private:
    TDBX& m_dbx;
    QString m_pictureDir;
    int m_lastShown = 0;
    bool m_moved = false;
};
