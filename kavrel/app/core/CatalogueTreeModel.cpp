#include "CatalogueTreeModel.h"

#include "TDBX.h"

// One record per node: what the tree needs to find the node's rows again.
struct CatalogueTreeModel::Node
{
    Node* parent = nullptr;
    int index = 0;  // among its siblings
    int level = -1; // -1 for the invisible root
    int number = 0; // LINK2 of the node's tree row
    bool hasChildren = false;
    bool expanded = false;
    // Filled when the node's text is first produced.
    mutable QString code;
    std::vector<std::unique_ptr<Node>> children;
};

CatalogueTreeModel::CatalogueTreeModel(QObject* parent)
    : QAbstractItemModel(parent), m_root(std::make_unique<Node>())
{
}

CatalogueTreeModel::~CatalogueTreeModel() = default;

void CatalogueTreeModel::setDataModule(TDBX* dbx)
{
    beginResetModel();
    m_dbx = dbx;
    m_root->children.clear();
    endResetModel();
}

CatalogueTreeModel::Node* CatalogueTreeModel::node(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : m_root.get();
}

QModelIndex CatalogueTreeModel::indexOf(Node* n) const
{
    if (!n || n == m_root.get())
        return {};
    return createIndex(n->index, 0, n);
}

int CatalogueTreeModel::level(const QModelIndex& index)
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer())->level : -1;
}

void CatalogueTreeModel::positionNode(const Node* n)
{
    if (!m_dbx || !n || n->level < 0)
        return;
    // Ancestors first, so that each detail view has followed its master
    // before its own record is chosen.
    const Node* chain[MaxLevel + 1] = {};
    for (const Node* p = n; p && p->level >= 0; p = p->parent)
        chain[p->level] = p;
    for (int l = 0; l <= n->level; ++l) {
        TableView* view = m_dbx->levelView(l);
        if (view->recNo() != chain[l]->index + 1)
            view->setRecNo(chain[l]->index + 1);
    }
}

void CatalogueTreeModel::positionViews(const QModelIndex& index)
{
    if (index.isValid())
        positionNode(node(index));
}

void CatalogueTreeModel::restorePosition()
{
    if (m_restore)
        m_restore();
}

void CatalogueTreeModel::initChildren(Node* parent, int count)
{
    const int level = parent->level + 1;
    TableView* view = m_dbx ? m_dbx->levelView(level) : nullptr;
    TableView* next = m_dbx ? m_dbx->levelView(level + 1) : nullptr;
    parent->children.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        auto child = std::make_unique<Node>();
        child->parent = parent;
        child->index = i;
        child->level = level;
        if (view && view->isActive()) {
            // Node initialisation: its own row gives the node number, the
            // next level's rows below it decide the expand button.
            view->setRecNo(i + 1);
            child->number = int(view->asInt(QStringLiteral("LINK2")));
            child->hasChildren = level < MaxLevel && next && !next->isEmpty();
        }
        parent->children.push_back(std::move(child));
    }
}

void CatalogueTreeModel::resetRoot(int count)
{
    beginResetModel();
    m_root->children.clear();
    if (count > 0 && m_dbx) {
        initChildren(m_root.get(), count);
    }
    endResetModel();
    restorePosition();
}

int CatalogueTreeModel::expand(const QModelIndex& index)
{
    Node* n = node(index);
    if (!index.isValid() || !m_dbx || n->level >= MaxLevel)
        return 0;
    if (!n->children.empty())
        return int(n->children.size());
    positionNode(n);
    TableView* next = m_dbx->levelView(n->level + 1);
    const int count = next->isActive() ? next->recordCount() : 0;
    // The rows may have gone since the node was initialised.
    n->hasChildren = count > 0;
    if (count > 0) {
        beginInsertRows(index, 0, count - 1);
        initChildren(n, count);
        n->expanded = true;
        endInsertRows();
        // The new children were positioned one by one; the ancestors too.
        positionNode(n);
    }
    restorePosition();
    return count;
}

void CatalogueTreeModel::collapse(const QModelIndex& index)
{
    Node* n = node(index);
    if (!index.isValid())
        return;
    n->expanded = false;
    if (n->children.empty())
        return;
    beginRemoveRows(index, 0, int(n->children.size()) - 1);
    n->children.clear();
    endRemoveRows();
}

bool CatalogueTreeModel::isExpanded(const QModelIndex& index) const
{
    return index.isValid() && node(index)->expanded;
}

int CatalogueTreeModel::nodeNumber(const QModelIndex& index) const
{
    return index.isValid() ? node(index)->number : 0;
}

QString CatalogueTreeModel::nodeCode(const QModelIndex& index) const
{
    return index.isValid() ? node(index)->code : QString();
}

QString CatalogueTreeModel::nodeText(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    const Node* n = node(index);
    QString text = n->level == 0 ? QStringLiteral("CATALOGUE") : QString();
    if (!m_dbx)
        return text;
    if (const auto found = m_dbx->lookup(n->number, QStringLiteral("A"), 0)) {
        n->code = found->koda;
        text = found->koda + QStringLiteral("   ") + found->text;
    }
    return text;
}

QModelIndex CatalogueTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* p = node(parent);
    if (column != 0 || row < 0 || row >= int(p->children.size()))
        return {};
    return createIndex(row, 0, p->children[size_t(row)].get());
}

QModelIndex CatalogueTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    return indexOf(node(child)->parent);
}

int CatalogueTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.column() > 0)
        return 0;
    return int(node(parent)->children.size());
}

int CatalogueTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool CatalogueTreeModel::hasChildren(const QModelIndex& parent) const
{
    const Node* n = node(parent);
    if (!parent.isValid())
        return !n->children.empty();
    return n->hasChildren || !n->children.empty();
}

QVariant CatalogueTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    return nodeText(index);
}

Qt::ItemFlags CatalogueTreeModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (node(index)->level >= MaxLevel)
        f |= Qt::ItemNeverHasChildren;
    return f;
}

bool CatalogueTreeModel::canFetchMore(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return false;
    const Node* n = node(parent);
    return n->hasChildren && n->children.empty() && n->level < MaxLevel;
}

void CatalogueTreeModel::fetchMore(const QModelIndex& parent)
{
    expand(parent);
}
