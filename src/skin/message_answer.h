#pragma once
// Every skinned message box goes through ShowMessage, whose modal run one hook can take over:
// tests answer boxes with preset results (and see what was asked), the command-line front end
// prints them. With no hook the real box is shown.
#include <QString>
#include <deque>
#include <functional>
#include <vector>

struct SkinnedMessage
{
    int kind = 0;
    QString message;
    QString button1;
    QString button2;
    QString button3;

    bool operator==(const SkinnedMessage&) const = default;
};

using SkinnedMessageHook = std::function<int(const SkinnedMessage&)>;

// Installs the hook (an empty one shows real boxes again); returns the one that was in place.
SkinnedMessageHook SetSkinnedMessageHook(SkinnedMessageHook hook);
// The hook in place, or an empty function.
const SkinnedMessageHook& SkinnedMessageHookInPlace();

// While alive, every box is recorded in `shown` and answered at once: with the next queued
// answer while there is one, else with the default answer.
class MessageAnswer
{
public:
    explicit MessageAnswer(int defaultAnswer = 1);
    ~MessageAnswer();
    MessageAnswer(const MessageAnswer&) = delete;
    MessageAnswer& operator=(const MessageAnswer&) = delete;

    // Answers the next box (after those already queued) with `answer`.
    void SetNextAnswer(int answer) { queued_.push_back(answer); }
    void SetDefaultAnswer(int answer) { defaultAnswer_ = answer; }

    std::vector<SkinnedMessage> shown;

private:
    int Answer(const SkinnedMessage& message);

    int defaultAnswer_;
    std::deque<int> queued_;
    SkinnedMessageHook previous_;
};
