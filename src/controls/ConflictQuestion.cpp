#include "ConflictQuestion.h"

#include "Messages.h"

SharedSave::ConflictChoice AskConflicts(QWidget* parent) {
    return [parent](const QList<MergeConflict>& conflicts,
                    const std::optional<SharedSave::LastWrite>& other) {
        return Messages::Question(
            parent, SharedSave::ConflictText(conflicts, other) +
                        QStringLiteral("\nこのコピーの内容で保存しますか？\n"
                                       "（「いいえ」を選ぶと、別のコピーの内容を残します。）"));
    };
}
