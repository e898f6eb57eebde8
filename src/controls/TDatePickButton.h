#pragma once

#include <QDate>
#include <QToolButton>

class QCalendarWidget;

// The drop-down calendar glued to a date field: a small arrow button whose pop-up calendar
// ("Calendar") starts at Date(); picking a day (click, or Enter in the calendar) closes it,
// sets the date and emits DatePicked. Setting the date from code emits nothing.
class TDatePickButton : public QToolButton {
    Q_OBJECT

  public:
    explicit TDatePickButton(QWidget* parent = nullptr);

    QDate Date() const { return date_; }
    void SetDate(const QDate& date) { date_ = date; }
    // The calendar of the pop-up, for tests that pick a day.
    QCalendarWidget* Calendar() const { return calendar_; }

  signals:
    void DatePicked(const QDate& date);

  private:
    void Open();
    void Pick(const QDate& date);

    QDate date_ = QDate::currentDate();
    QCalendarWidget* calendar_;
};
