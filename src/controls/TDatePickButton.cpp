#include "TDatePickButton.h"

#include <QCalendarWidget>

TDatePickButton::TDatePickButton(QWidget* parent)
    : QToolButton(parent), calendar_(new QCalendarWidget(this)) {
    setArrowType(Qt::DownArrow);
    setFocusPolicy(Qt::NoFocus);
    calendar_->setObjectName(QStringLiteral("Calendar"));
    calendar_->setWindowFlags(Qt::Popup);
    calendar_->setGridVisible(true);
    connect(this, &QToolButton::clicked, this, &TDatePickButton::Open);
    connect(calendar_, &QCalendarWidget::clicked, this, &TDatePickButton::Pick);
    connect(calendar_, &QCalendarWidget::activated, this, &TDatePickButton::Pick);
}

// Below the button, its right edge at the button's, so that it hangs under the date field.
void TDatePickButton::Open() {
    calendar_->setSelectedDate(date_);
    calendar_->adjustSize();
    calendar_->move(mapToGlobal(QPoint(width() - calendar_->width(), height())));
    calendar_->show();
    calendar_->setFocus();
}

void TDatePickButton::Pick(const QDate& date) {
    calendar_->hide();
    date_ = date;
    emit DatePicked(date);
}
