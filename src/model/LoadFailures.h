#pragma once

#include <QString>
#include <QStringList>
#include <exception>

#include "ModelError.h"

// Loads parts that do not depend on each other, such as the profiles and their pictures:
// a part that fails does not keep the others from loading, and one error names them all.
class LoadFailures {
  public:
    template <class Part>
    void Run(Part&& part) {
        try {
            part();
        } catch (const EModelError& error) {
            add(error);
        }
    }

    // Nothing when every part loaded; the error itself when one part failed; else EFileError
    // with one line per failure, each said once.
    void ThrowIfAny() const {
        if (messages_.size() == 1) {
            std::rethrow_exception(first_);
        }
        if (!messages_.isEmpty()) {
            throw EFileError(messages_.join(u'\n'));
        }
    }

  private:
    void add(const EModelError& error) {
        if (!first_) {
            first_ = std::current_exception();
        }
        for (const QString& line : error.message().split(u'\n')) {
            if (!messages_.contains(line)) {
                messages_ << line;
            }
        }
    }

    std::exception_ptr first_;
    QStringList messages_;
};
