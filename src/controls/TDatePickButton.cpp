#include "TDatePickButton.h"

#include <QCalendarWidget>
#include <QMenu>
#include <QWidgetAction>

TDatePickButton::TDatePickButton(QWidget* parent) : QToolButton(parent) {
    setArrowType(Qt::DownArrow);
    setFocusPolicy(Qt::NoFocus);
    setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(this);
    calendar_ = new QCalendarWidget(menu);
    calendar_->setObjectName(QStringLiteral("Calendar"));
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(calendar_);
    menu->addAction(action);
    setMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, [this] { calendar_->setSelectedDate(date_); });
    connect(calendar_, &QCalendarWidget::clicked, this, &TDatePickButton::Pick);
    connect(calendar_, &QCalendarWidget::activated, this, &TDatePickButton::Pick);
}

void TDatePickButton::Pick(const QDate& date) {
    menu()->hide();
    date_ = date;
    emit DatePicked(date);
}
