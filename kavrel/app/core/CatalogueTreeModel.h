#pragma once

// The catalogue tree VST1 as a lazy model over the tree views K1T1..K1T4.
// It holds one small record per node (node number and code), never copies of
// the catalogue: children are created from the views when a node is
// expanded and discarded when it collapses, so the display always follows
// the tables. Node position: a node at level L with index i stands for
// record i + 1 of the level's view once its ancestors' views stand on their
// records.

#include <QAbstractItemModel>
#include <functional>
#include <memory>
#include <vector>

class TDBX;

class CatalogueTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit CatalogueTreeModel(QObject* parent = nullptr);
    ~CatalogueTreeModel() override;

    // The model reads nothing until it has a data module.
    void setDataModule(TDBX* dbx);
    TDBX* dataModule() const { return m_dbx; }

    // Drops every node, then creates `count` top-level nodes (the rows of
    // K1T1 for the current segment).
    void resetRoot(int count);
    // Drops every node.
    void clear() { resetRoot(0); }

    // Expansion: creates the node's children from the next level's view
    // (nothing when that view is empty, the node is a product, or the
    // children exist). Returns the number of children.
    int expand(const QModelIndex& index);
    // Collapse: discards the node's children.
    void collapse(const QModelIndex& index);
    bool isExpanded(const QModelIndex& index) const;

    // Positions K1T1..K1T4 for the node (ancestors first, each detail view
    // following its master). An invalid index leaves the views as they are.
    void positionViews(const QModelIndex& index);

    static int level(const QModelIndex& index); // 0..3, -1 for invalid
    int nodeNumber(const QModelIndex& index) const;
    // KODA of the node's name text; empty until the text was first produced.
    QString nodeCode(const QModelIndex& index) const;
    // The line the tree shows: "CATALOGUE" / code + "   " + name / "".
    QString nodeText(const QModelIndex& index) const;

    // Called after a change of the views' positions that the model made, so
    // that the views go back to the focused node (what the workbench reads).
    void setRestorePosition(std::function<void()> restore) { m_restore = std::move(restore); }

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    static constexpr int MaxLevel = 3;

private:
    struct Node;
    Node* node(const QModelIndex& index) const;
    QModelIndex indexOf(Node* n) const;
    void initChildren(Node* parent, int count);
    void positionNode(const Node* n);
    void restorePosition();

    TDBX* m_dbx = nullptr;
    std::unique_ptr<Node> m_root;
    std::function<void()> m_restore;
};
