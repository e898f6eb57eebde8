#include "CharacterFilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class CharacterFilterObject : public QObject {
  public:
    CharacterFilterObject(QObject* parent, const QString& allowed)
        : QObject(parent), allowed_(allowed) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Shortcuts and control characters (backspace, Enter) edit; they pass.
            const bool shortcut =
                key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
            const QString text = key->text();
            return !shortcut && !text.isEmpty() && text.at(0).isPrint() && !allowedOnly(text);
        }
        if (event->type() == QEvent::InputMethod) {
            auto* input = static_cast<QInputMethodEvent*>(event);
            if (!allowedOnly(input->commitString())) {
                QString kept;
                for (QChar c : input->commitString()) {
                    if (allowed_.contains(c)) {
                        kept += c;
                    }
                }
                input->setCommitString(kept, input->replacementStart(), input->replacementLength());
            }
        }
        return false;
    }

  private:
    bool allowedOnly(const QString& text) const {
        for (QChar c : text) {
            if (!allowed_.contains(c)) {
                return false;
            }
        }
        return true;
    }

    QString allowed_;
};

}  // namespace

namespace CharacterFilter {

void Install(QWidget* field, const QString& allowed) {
    field->installEventFilter(new CharacterFilterObject(field, allowed));
}

}  // namespace CharacterFilter
