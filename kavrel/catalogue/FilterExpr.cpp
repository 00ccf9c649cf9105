#include "FilterExpr.h"

#include "FieldValue.h"
#include "TableError.h"

namespace {

enum class Op
{
    Eq,
    Ne,
    Lt,
    Gt,
    Le,
    Ge
};

struct Operand
{
    enum Kind
    {
        Field,
        Constant
    } kind = Constant;
    QString name;
    int field = -1;
    FieldDef def;
    QVariant constant;
};

enum class TokenKind
{
    End,
    Ident,
    String,
    Number,
    Op,
    LParen,
    RParen,
    And,
    Or,
    Not
};

struct Token
{
    TokenKind kind = TokenKind::End;
    QString text;
    Op op = Op::Eq;
    int pos = 0;
};

// Nesting beyond this is refused rather than risking the stack.
constexpr int kMaxDepth = 200;
// Evaluation recurses along AND/OR chains too, so their length is bounded.
constexpr int kMaxNodes = 5000;

} // namespace

struct FilterExpr::Node
{
    enum Kind
    {
        And,
        Or,
        Not,
        Compare,
        True
    } kind = True;
    std::unique_ptr<Node> left, right;
    Operand a, b;
    Op op = Op::Eq;
    bool typed = false; // both sides of one field type: compare canonically
    FieldType type = FieldType::Int32;
};

namespace {

class Parser
{
public:
    explicit Parser(const QString& text) : m_text(text) { advance(); }

    std::unique_ptr<FilterExpr::Node> parseAll()
    {
        if (m_tok.kind == TokenKind::End) {
            auto node = std::make_unique<FilterExpr::Node>();
            node->kind = FilterExpr::Node::True;
            return node;
        }
        auto node = parseOr(0);
        if (m_tok.kind != TokenKind::End)
            fail(m_tok.kind == TokenKind::RParen
                     ? QStringLiteral("unmatched ')'")
                     : QStringLiteral("unexpected \"%1\"").arg(m_tok.text));
        return node;
    }

private:
    [[noreturn]] void fail(const QString& why, int pos = -1) const
    {
        const int at = pos < 0 ? m_tok.pos : pos;
        throw TableError(QStringLiteral("Filter \"%1\" is not valid: %2 at position %3")
                             .arg(m_text, why)
                             .arg(at + 1));
    }

    void advance()
    {
        const QString& s = m_text;
        int i = m_next;
        while (i < s.size() && s[i].isSpace())
            ++i;
        m_tok = Token();
        m_tok.pos = i;
        if (i >= s.size()) {
            m_next = i;
            return;
        }
        const QChar c = s[i];
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            m_tok.kind = c == QLatin1Char('(') ? TokenKind::LParen : TokenKind::RParen;
            m_tok.text = c;
            m_next = i + 1;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            lexString(i, c);
        } else if (c == QLatin1Char('[')) {
            const qsizetype end = s.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                fail(QStringLiteral("missing ']'"), i);
            m_tok.kind = TokenKind::Ident;
            m_tok.text = s.mid(i + 1, end - i - 1).trimmed();
            if (m_tok.text.isEmpty())
                fail(QStringLiteral("empty field name"), i);
            m_next = int(end) + 1;
        } else if (c.isDigit() || c == QLatin1Char('.') ||
                   ((c == QLatin1Char('-') || c == QLatin1Char('+')) && i + 1 < s.size() &&
                    (s[i + 1].isDigit() || s[i + 1] == QLatin1Char('.')))) {
            lexNumber(i);
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i;
            while (j < s.size() && (s[j].isLetterOrNumber() || s[j] == QLatin1Char('_')))
                ++j;
            m_tok.text = s.mid(i, j - i);
            const QString up = m_tok.text.toUpper();
            m_tok.kind = up == QLatin1String("AND")   ? TokenKind::And
                         : up == QLatin1String("OR")  ? TokenKind::Or
                         : up == QLatin1String("NOT") ? TokenKind::Not
                                                      : TokenKind::Ident;
            m_next = j;
        } else {
            lexOperator(i);
        }
    }

    void lexString(int i, QChar quote)
    {
        const QString& s = m_text;
        QString value;
        int j = i + 1;
        for (;;) {
            if (j >= s.size())
                fail(QStringLiteral("unterminated string"), i);
            if (s[j] == quote) {
                if (j + 1 < s.size() && s[j + 1] == quote) {
                    value += quote;
                    j += 2;
                    continue;
                }
                break;
            }
            value += s[j++];
        }
        m_tok.kind = TokenKind::String;
        m_tok.text = value;
        m_next = j + 1;
    }

    void lexNumber(int i)
    {
        const QString& s = m_text;
        int j = i;
        if (s[j] == QLatin1Char('-') || s[j] == QLatin1Char('+'))
            ++j;
        while (j < s.size() && (s[j].isDigit() || s[j] == QLatin1Char('.')))
            ++j;
        if (j < s.size() && (s[j] == QLatin1Char('e') || s[j] == QLatin1Char('E'))) {
            int k = j + 1;
            if (k < s.size() && (s[k] == QLatin1Char('-') || s[k] == QLatin1Char('+')))
                ++k;
            if (k < s.size() && s[k].isDigit()) {
                while (k < s.size() && s[k].isDigit())
                    ++k;
                j = k;
            }
        }
        m_tok.kind = TokenKind::Number;
        m_tok.text = s.mid(i, j - i);
        bool ok = false;
        m_tok.text.toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("\"%1\" is not a number").arg(m_tok.text), i);
        if (j < s.size() && (s[j].isLetter() || s[j] == QLatin1Char('_')))
            fail(QStringLiteral("\"%1\" is not a number").arg(s.mid(i, j - i + 1)), i);
        m_next = j;
    }

    void lexOperator(int i)
    {
        const QString& s = m_text;
        const QChar c = s[i];
        const QChar d = i + 1 < s.size() ? s[i + 1] : QChar();
        m_tok.kind = TokenKind::Op;
        int len = 1;
        if (c == QLatin1Char('=')) {
            m_tok.op = Op::Eq;
        } else if (c == QLatin1Char('<') && d == QLatin1Char('>')) {
            m_tok.op = Op::Ne, len = 2;
        } else if (c == QLatin1Char('!') && d == QLatin1Char('=')) {
            m_tok.op = Op::Ne, len = 2;
        } else if (c == QLatin1Char('<') && d == QLatin1Char('=')) {
            m_tok.op = Op::Le, len = 2;
        } else if (c == QLatin1Char('>') && d == QLatin1Char('=')) {
            m_tok.op = Op::Ge, len = 2;
        } else if (c == QLatin1Char('<')) {
            m_tok.op = Op::Lt;
        } else if (c == QLatin1Char('>')) {
            m_tok.op = Op::Gt;
        } else {
            fail(QStringLiteral("unexpected character '%1'").arg(c), i);
        }
        m_tok.text = s.mid(i, len);
        m_next = i + len;
    }

    std::unique_ptr<FilterExpr::Node> binary(FilterExpr::Node::Kind kind,
                                             std::unique_ptr<FilterExpr::Node> l,
                                             std::unique_ptr<FilterExpr::Node> r)
    {
        if (++m_nodes > kMaxNodes)
            fail(QStringLiteral("too many conditions"));
        auto node = std::make_unique<FilterExpr::Node>();
        node->kind = kind;
        node->left = std::move(l);
        node->right = std::move(r);
        return node;
    }

    std::unique_ptr<FilterExpr::Node> parseOr(int depth)
    {
        auto node = parseAnd(depth);
        while (m_tok.kind == TokenKind::Or) {
            advance();
            node = binary(FilterExpr::Node::Or, std::move(node), parseAnd(depth));
        }
        return node;
    }

    std::unique_ptr<FilterExpr::Node> parseAnd(int depth)
    {
        auto node = parseFactor(depth);
        while (m_tok.kind == TokenKind::And) {
            advance();
            node = binary(FilterExpr::Node::And, std::move(node), parseFactor(depth));
        }
        return node;
    }

    std::unique_ptr<FilterExpr::Node> parseFactor(int depth)
    {
        if (depth > kMaxDepth)
            fail(QStringLiteral("too deeply nested"));
        if (m_tok.kind == TokenKind::Not) {
            advance();
            return binary(FilterExpr::Node::Not, parseFactor(depth + 1), nullptr);
        }
        if (m_tok.kind == TokenKind::LParen) {
            const int open = m_tok.pos;
            advance();
            auto node = parseOr(depth + 1);
            if (m_tok.kind != TokenKind::RParen)
                fail(QStringLiteral("missing ')' for '(' at position %1").arg(open + 1));
            advance();
            return node;
        }
        auto node = std::make_unique<FilterExpr::Node>();
        node->kind = FilterExpr::Node::Compare;
        node->a = parseOperand();
        if (m_tok.kind != TokenKind::Op)
            fail(m_tok.kind == TokenKind::End ? QStringLiteral("comparison operator expected")
                                              : QStringLiteral("comparison operator expected "
                                                               "instead of \"%1\"")
                                                    .arg(m_tok.text));
        node->op = m_tok.op;
        advance();
        node->b = parseOperand();
        return node;
    }

    Operand parseOperand()
    {
        Operand o;
        switch (m_tok.kind) {
        case TokenKind::Ident:
            o.kind = Operand::Field;
            o.name = m_tok.text;
            break;
        case TokenKind::String:
            o.constant = QVariant(m_tok.text);
            break;
        case TokenKind::Number: {
            bool ok = false;
            const qlonglong whole = m_tok.text.toLongLong(&ok);
            o.constant = ok ? QVariant(whole) : QVariant(m_tok.text.toDouble());
            break;
        }
        case TokenKind::End:
            fail(QStringLiteral("value or field name expected"));
        default:
            fail(QStringLiteral("value or field name expected instead of \"%1\"").arg(m_tok.text));
        }
        advance();
        return o;
    }

    const QString& m_text;
    int m_next = 0;
    int m_nodes = 0;
    Token m_tok;
};

bool apply(Op op, int c)
{
    switch (op) {
    case Op::Eq:
        return c == 0;
    case Op::Ne:
        return c != 0;
    case Op::Lt:
        return c < 0;
    case Op::Gt:
        return c > 0;
    case Op::Le:
        return c <= 0;
    case Op::Ge:
        return c >= 0;
    }
    return false;
}

// Integer field types compare with each other canonically.
bool sameClass(FieldType x, FieldType y)
{
    auto cls = [](FieldType t) { return t == FieldType::Int16 ? FieldType::Int32 : t; };
    return cls(x) == cls(y);
}

void bindOperand(Operand& o, const FilterExpr::Resolver& resolver, const QString& text)
{
    if (o.kind != Operand::Field)
        return;
    if (!resolver(o.name, &o.field, &o.def))
        throw TableError(QStringLiteral("Filter \"%1\" names field %2, which the table lacks")
                             .arg(text, o.name));
}

// A constant compared with a field takes the field's type, so that rows
// compare canonically; a constant that cannot be converted is an error.
void convertConstant(Operand& constant, const Operand& field, const QString& text)
{
    FieldDef def = field.def;
    def.width = 0;
    try {
        constant.constant = FieldValue::coerce(def, constant.constant);
    } catch (const TableError&) {
        throw TableError(QStringLiteral("Filter \"%1\": field %2 cannot be compared with \"%3\"")
                             .arg(text, field.name, constant.constant.toString()));
    }
}

void bindNode(FilterExpr::Node& n, const FilterExpr::Resolver& resolver, const QString& text)
{
    if (n.left)
        bindNode(*n.left, resolver, text);
    if (n.right)
        bindNode(*n.right, resolver, text);
    if (n.kind != FilterExpr::Node::Compare)
        return;
    bindOperand(n.a, resolver, text);
    bindOperand(n.b, resolver, text);
    const bool fa = n.a.kind == Operand::Field, fb = n.b.kind == Operand::Field;
    n.typed = false;
    if (fa && !fb) {
        convertConstant(n.b, n.a, text);
        n.typed = true;
        n.type = n.a.def.type;
    } else if (fb && !fa) {
        convertConstant(n.a, n.b, text);
        n.typed = true;
        n.type = n.b.def.type;
    } else if (fa && fb && sameClass(n.a.def.type, n.b.def.type)) {
        n.typed = true;
        n.type = n.a.def.type;
    }
}

struct Scratch
{
    QVariant a, b;
};

const QVariant& operandValue(const Operand& o, const FilterExpr::Source& src, int rowId,
                             QVariant& scratch)
{
    if (o.kind == Operand::Constant)
        return o.constant;
    return src.value(rowId, o.field, scratch);
}

bool evaluate(const FilterExpr::Node& n, const FilterExpr::Source& src, int rowId, Scratch& s)
{
    switch (n.kind) {
    case FilterExpr::Node::True:
        return true;
    case FilterExpr::Node::And:
        return evaluate(*n.left, src, rowId, s) && evaluate(*n.right, src, rowId, s);
    case FilterExpr::Node::Or:
        return evaluate(*n.left, src, rowId, s) || evaluate(*n.right, src, rowId, s);
    case FilterExpr::Node::Not:
        return !evaluate(*n.left, src, rowId, s);
    case FilterExpr::Node::Compare: {
        // A field against a constant: compared where the field is stored.
        int direct = 0;
        if (n.typed && n.a.kind == Operand::Field && n.b.kind == Operand::Constant &&
            src.compareField(rowId, n.a.field, n.b.constant, &direct))
            return apply(n.op, direct);
        if (n.typed && n.b.kind == Operand::Field && n.a.kind == Operand::Constant &&
            src.compareField(rowId, n.b.field, n.a.constant, &direct))
            return apply(n.op, -direct);
        const QVariant& a = operandValue(n.a, src, rowId, s.a);
        const QVariant& b = operandValue(n.b, src, rowId, s.b);
        if (n.typed && n.type == FieldType::String && (n.op == Op::Eq || n.op == Op::Ne))
            return FieldValue::equalStrings(a, b) == (n.op == Op::Eq);
        const int c =
            n.typed ? FieldValue::compareInline(n.type, a, b) : FieldValue::compareMixed(a, b);
        return apply(n.op, c);
    }
    }
    return false;
}

} // namespace

FilterExpr::~FilterExpr() = default;

std::shared_ptr<FilterExpr> FilterExpr::parse(const QString& text)
{
    std::shared_ptr<FilterExpr> expr(new FilterExpr);
    expr->m_text = text;
    Parser parser(expr->m_text);
    expr->m_root = parser.parseAll();
    return expr;
}

void FilterExpr::bind(const Resolver& resolver)
{
    bindNode(*m_root, resolver, m_text);
    m_bound = true;
}

bool FilterExpr::matches(const Source& source, int rowId) const
{
    Scratch scratch; // one pair per row, not per comparison
    return evaluate(*m_root, source, rowId, scratch);
}

bool FilterExpr::isEmpty() const
{
    return m_root->kind == Node::True;
}
