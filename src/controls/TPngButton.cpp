#include "TPngButton.h"

#include <QEvent>
#include <QPainter>

#include <stdexcept>

namespace {

QPixmap loadPicture(const QString& name, const char* state) {
    const QString path = QStringLiteral(":/buttons/%1-%2.png").arg(name, QLatin1String(state));
    QPixmap picture(path);
    if (picture.isNull()) {
        throw std::invalid_argument("button picture missing: " + path.toStdString());
    }
    return picture;
}

}  // namespace

TPngButton::TPngButton(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_Hover);
    // Picture buttons take no keyboard focus, so Tab walks the input fields only.
    setFocusPolicy(Qt::NoFocus);
}

void TPngButton::SetPicture(const QString& name) {
    normal_ = loadPicture(name, "normal");
    pressed_ = loadPicture(name, "pressed");
    hover_ = loadPicture(name, "hover");
    picture_ = name;
    updateGeometry();
    update();
}

void TPngButton::SetStandardButton(QAbstractButton* button) {
    if (standard_ != nullptr) {
        standard_->removeEventFilter(this);
        disconnect(this, &QAbstractButton::clicked, standard_, nullptr);
    }
    standard_ = button;
    if (button != nullptr) {
        button->installEventFilter(this);
        connect(this, &QAbstractButton::clicked, button, &QAbstractButton::click);
        followStandardButton();
    }
}

QSize TPngButton::sizeHint() const {
    return normal_.isNull() ? QSize() : normal_.deviceIndependentSize().toSize();
}

void TPngButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPixmap* picture = &normal_;
    if (!isEnabled()) {
        painter.setOpacity(0.4);
    } else if (isDown()) {
        picture = &pressed_;
    } else if (underMouse()) {
        picture = &hover_;
    }
    painter.drawPixmap(rect(), *picture);
}

bool TPngButton::eventFilter(QObject* watched, QEvent* event) {
    // The type first: while the standard button is destroyed it is no QAbstractButton any more.
    if (event->type() == QEvent::EnabledChange && watched == standard_) {
        followStandardButton();
    }
    return QAbstractButton::eventFilter(watched, event);
}

void TPngButton::followStandardButton() {
    setEnabled(standard_->isEnabled());
    setText(standard_->text());
}
