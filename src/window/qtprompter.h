#pragma once

#include "texts/prompter.h"

class QWidget;

namespace namlex {

// Shows each message as a message box, modal to the parent, with German
// button captions whatever the locale.
class QtPrompter : public Prompter
{
public:
    // The parent must outlive the prompter.
    explicit QtPrompter(QWidget *parent);

    Answer ask(const Message &message) override;

private:
    QWidget *parent_;
};

} // namespace namlex
