#include "TabControl.h"

#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <algorithm>

namespace {

// The application's style but for the room around tab captions: the tabs'
// sizes and the drawing of their captions both follow it. (A style sheet
// would do as much for Qt's own bar, but its captions find their place by
// Qt's one-row layout, which the rows do not follow.)
class TabPaddingStyle : public QProxyStyle {
public:
    explicit TabPaddingStyle(int padding) : padding_(padding) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace || metric == PM_TabBarTabVSpace)
            return 2 * padding_;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int padding_;
};

} // namespace

MultiRowTabBar::MultiRowTabBar(QWidget* parent) : QTabBar(parent)
{
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
    setExpanding(false);
}

void MultiRowTabBar::SetCaptionPadding(int pixels)
{
    auto* padded = new TabPaddingStyle(pixels);
    padded->setParent(this);
    setStyle(padded);
}

int MultiRowTabBar::OfferedWidth() const
{
    return parentWidget() ? parentWidget()->width() : width();
}

int MultiRowTabBar::RowHeight() const
{
    int height = 0;
    for (int i = 0; i < count(); ++i)
        height = std::max(height, tabSizeHint(i).height());
    return height;
}

// Tabs fill the rows in order; a tab wider than the whole width has a row
// of its own. The rows are then stretched to the width, the spare pixels
// shared out from the first tab of the row on.
MultiRowTabBar::Rows MultiRowTabBar::LayOut(int width) const
{
    Rows rows;
    rows.areas.resize(count());
    rows.rowOf.resize(count());
    std::vector<std::vector<int>> members(1);
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int tabWidth = tabSizeHint(i).width();
        if (used > 0 && used + tabWidth > width) {
            members.emplace_back();
            used = 0;
        }
        members.back().push_back(i);
        used += tabWidth;
    }
    rows.count = static_cast<int>(members.size());
    if (rows.count == 1)
        return rows;

    const int current = std::max(currentIndex(), 0);
    int currentRow = 0;
    for (int row = 0; row < rows.count; ++row)
        if (std::find(members[row].begin(), members[row].end(), current) != members[row].end())
            currentRow = row;
    const int rowHeight = RowHeight();
    for (int row = 0; row < rows.count; ++row) {
        // The row after the current one's comes first, the current one's last.
        const int shownAt = (row - currentRow - 1 + 2 * rows.count) % rows.count;
        int natural = 0;
        for (int i : members[row])
            natural += tabSizeHint(i).width();
        const int tabs = static_cast<int>(members[row].size());
        const int spare = std::max(width - natural, 0);
        int left = 0;
        for (int k = 0; k < tabs; ++k) {
            const int i = members[row][k];
            const int tabWidth = std::min(tabSizeHint(i).width() + spare / tabs + (k < spare % tabs ? 1 : 0), width);
            rows.areas[i] = QRect(left, shownAt * rowHeight, tabWidth, rowHeight);
            rows.rowOf[i] = row;
            left += tabWidth;
        }
    }
    return rows;
}

int MultiRowTabBar::RowCount() const
{
    return LayOut(OfferedWidth()).count;
}

QRect MultiRowTabBar::TabArea(int index) const
{
    if (OnOneRow())
        return tabRect(index);
    const Rows rows = LayOut(OfferedWidth());
    return index >= 0 && index < count() ? rows.areas[index] : QRect();
}

int MultiRowTabBar::AddedRowsHeight(int width) const
{
    return (LayOut(width).count - 1) * RowHeight();
}

QSize MultiRowTabBar::sizeHint() const
{
    if (OnOneRow())
        return QTabBar::sizeHint();
    return QSize(OfferedWidth(), RowCount() * RowHeight());
}

QSize MultiRowTabBar::minimumSizeHint() const
{
    return OnOneRow() ? QTabBar::minimumSizeHint() : sizeHint();
}

int MultiRowTabBar::TabAt(QPoint point) const
{
    const Rows rows = LayOut(OfferedWidth());
    for (int i = 0; i < count(); ++i)
        if (rows.areas[i].contains(point))
            return i;
    return -1;
}

void MultiRowTabBar::SetHovered(int index)
{
    if (index != hovered_) {
        hovered_ = index;
        update();
    }
}

// Each tab is drawn by the style as Qt's bar draws it, told its place in
// its own row; the current tab last, as it overlaps its neighbours.
void MultiRowTabBar::paintEvent(QPaintEvent* event)
{
    if (OnOneRow()) {
        QTabBar::paintEvent(event);
        return;
    }
    const Rows rows = LayOut(OfferedWidth());
    QStylePainter painter(this);
    auto drawTab = [&](int i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.rect = rows.areas[i];
        const bool first = i == 0 || rows.rowOf[i - 1] != rows.rowOf[i];
        const bool last = i == count() - 1 || rows.rowOf[i + 1] != rows.rowOf[i];
        option.position = first && last ? QStyleOptionTab::OnlyOneTab
                          : first       ? QStyleOptionTab::Beginning
                          : last        ? QStyleOptionTab::End
                                        : QStyleOptionTab::Middle;
        option.selectedPosition = !last && i + 1 == currentIndex()    ? QStyleOptionTab::NextIsSelected
                                  : !first && i - 1 == currentIndex() ? QStyleOptionTab::PreviousIsSelected
                                                                      : QStyleOptionTab::NotAdjacent;
        option.state.setFlag(QStyle::State_MouseOver, i == hovered_);
        painter.drawControl(QStyle::CE_TabBarTab, option);
    };
    for (int i = 0; i < count(); ++i)
        if (i != currentIndex())
            drawTab(i);
    if (currentIndex() >= 0)
        drawTab(currentIndex());
}

// With several rows Qt's own hit testing, which knows one row only, is
// bypassed: a left press selects the tab under it.
void MultiRowTabBar::mousePressEvent(QMouseEvent* event)
{
    if (OnOneRow()) {
        QTabBar::mousePressEvent(event);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const int index = TabAt(event->position().toPoint());
    if (index >= 0)
        setCurrentIndex(index);
}

void MultiRowTabBar::mouseMoveEvent(QMouseEvent* event)
{
    if (OnOneRow())
        QTabBar::mouseMoveEvent(event);
}

void MultiRowTabBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (OnOneRow())
        QTabBar::mouseReleaseEvent(event);
}

void MultiRowTabBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (OnOneRow())
        QTabBar::mouseDoubleClickEvent(event);
    else
        mousePressEvent(event);
}

// Hover highlights too follow the rows rather than Qt's one-row layout.
bool MultiRowTabBar::event(QEvent* event)
{
    const QEvent::Type type = event->type();
    const bool hover = type == QEvent::HoverEnter || type == QEvent::HoverMove || type == QEvent::HoverLeave;
    if (!hover || OnOneRow())
        return QTabBar::event(event);
    SetHovered(type == QEvent::HoverLeave ? -1 : TabAt(static_cast<QHoverEvent*>(event)->position().toPoint()));
    return true;
}

TabControl::TabControl(QWidget* parent) : QTabWidget(parent), bar_(new MultiRowTabBar(this))
{
    setTabBar(bar_);
}

void TabControl::resizeEvent(QResizeEvent* event)
{
    if (height() != ownHeight_)
        addedHeight_ = 0;
    const int added = bar_->AddedRowsHeight(width());
    ownHeight_ = height() - addedHeight_ + added;
    addedHeight_ = added;
    if (ownHeight_ != height())
        resize(width(), ownHeight_);
    QTabWidget::resizeEvent(event);
}
