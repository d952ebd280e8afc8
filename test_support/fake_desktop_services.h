#pragma once
// Recording fakes of the desktop services for tests: no dialog, message box, clipboard or
// other program is ever touched. Each fake records what it was asked and answers from a queue
// the test fills (an empty queue gives the documented default answer).

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "desktop_services.h"

namespace kelvorad::fakes {

// File dialogs: answers come from `answers` in order; when it is empty the dialog counts as
// cancelled (the empty name).
class FakeFileDialogs : public FileDialogs {
  public:
    struct Call {
        bool save;
        std::string title;
        std::string filter;
    };
    std::deque<std::string> answers;
    std::vector<Call> calls;

    std::string askOpenFileName(const std::string& title, const std::string& filter) override {
        return answer(false, title, filter);
    }
    std::string askSaveFileName(const std::string& title, const std::string& filter) override {
        return answer(true, title, filter);
    }

    // Number questions: answered from `numberAnswers` in order (nullopt cancels); cancelled
    // when it is empty. Each question's label is kept.
    std::deque<std::optional<double>> numberAnswers;
    std::vector<std::string> numberLabels;
    std::optional<double> askNumber(const std::string&, const std::string& label, double, double,
                                    double) override {
        numberLabels.push_back(label);
        if (numberAnswers.empty()) return std::nullopt;
        const std::optional<double> value = numberAnswers.front();
        numberAnswers.pop_front();
        return value;
    }

  private:
    std::string answer(bool save, const std::string& title, const std::string& filter) {
        calls.push_back({save, title, filter});
        if (answers.empty()) return {};
        std::string name = answers.front();
        answers.pop_front();
        return name;
    }
};

// Message boxes: every message and question is recorded; questions take their answer from
// `answers`, or `defaultAnswer` when it is empty. A wait looks at the work every millisecond
// until it is finished, or, with `cancelWaits`, answers Cancel at once; each is recorded, with
// whether it lasted long enough for the box to appear.
class FakeMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        bool question;
        std::string title;
        std::string text;
    };
    struct Wait {
        std::string title;
        std::string text;
        bool boxShown;  // it lasted longer than half a second
    };
    std::deque<Answer> answers;
    Answer defaultAnswer = Answer::Cancel;
    std::vector<Shown> shown;
    std::vector<Wait> waits;
    bool cancelWaits = false;

    void showMessage(const std::string& title, const std::string& text) override {
        shown.push_back({false, title, text});
    }
    Answer askYesNoCancel(const std::string& title, const std::string& text) override {
        shown.push_back({true, title, text});
        if (answers.empty()) return defaultAnswer;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool waitUntil(const std::string& title, const std::string& text,
                   const std::function<bool()>& finished) override {
        const auto start = std::chrono::steady_clock::now();
        bool done = finished();
        // A minute is far beyond any test's work: past it the wait gives up as a Cancel would.
        while (!done && !cancelWaits &&
               std::chrono::steady_clock::now() - start < std::chrono::minutes(1)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            done = finished();
        }
        waits.push_back(
            {title, text,
             std::chrono::steady_clock::now() - start > std::chrono::milliseconds(500)});
        return done;
    }
    // The same; the fraction done is read at every look and the values kept in `progress`.
    std::vector<double> progress;
    bool waitWithProgress(const std::string& title, const std::string& text,
                          const std::function<bool()>& finished,
                          const std::function<double()>& fractionDone) override {
        return waitUntil(title, text, [&] {
            progress.push_back(fractionDone());
            return finished();
        });
    }
    // The texts shown, messages and questions alike, in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& s : shown) all.push_back(s.text);
        return all;
    }
    int questionCount() const {
        int n = 0;
        for (const auto& s : shown) n += s.question ? 1 : 0;
        return n;
    }
};

// The clipboard: a plain text; `available` false makes every call fail as a clipboard that
// cannot be opened.
class FakeClipboard : public Clipboard {
  public:
    std::string content;
    bool available = true;
    int setCount = 0;

    std::optional<std::string> text() override {
        if (!available) return std::nullopt;
        return content;
    }
    bool setText(const std::string& text) override {
        if (!available) return false;
        content = text;
        ++setCount;
        return true;
    }
};

// The shell: records every document opened and program started; answers `succeed`.
class FakeShell : public Shell {
  public:
    struct Started {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingDirectory;
    };
    std::vector<std::string> opened;
    std::vector<Started> started;
    bool succeed = true;

    bool openDocument(const std::string& pathOrUrl) override {
        opened.push_back(pathOrUrl);
        return succeed;
    }
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) override {
        started.push_back({program, arguments, workingDirectory});
        return succeed;
    }
};

// All four fakes together, handed to a window as its DesktopServices.
struct FakeDesktop {
    FakeFileDialogs dialogs;
    FakeMessageBoxes messages;
    FakeClipboard clipboard;
    FakeShell shell;
    DesktopServices services() { return {dialogs, messages, clipboard, shell}; }
};

}  // namespace kelvorad::fakes
