#pragma once
// Recording fakes of the desktop services for tests: nothing reaches a real desktop.

#include <string>
#include <vector>

#include "desktop_services.h"

namespace kelvorad::testing {

// Records every program it is asked to start; answers with `starts` (false: as if the program
// were not installed).
class RecordingShell : public Shell {
  public:
    struct Start {
        std::string program;
        std::vector<std::string> arguments;
        std::string workingDirectory;
    };

    bool starts = true;
    std::vector<Start> started;
    std::vector<std::string> opened;

    bool openDocument(const std::string& pathOrUrl) override {
        opened.push_back(pathOrUrl);
        return starts;
    }
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) override {
        started.push_back({program, arguments, workingDirectory});
        return starts;
    }
};

// Answers every open dialog with `answer` (the empty text: the user cancelled) and records
// what it was asked.
class ScriptedDialogs : public FileDialogs {
  public:
    struct Question {
        std::string title;
        std::string filter;
    };

    std::string answer;
    std::vector<Question> asked;

    std::string askOpenFileName(const std::string& title, const std::string& filter) override {
        asked.push_back({title, filter});
        return answer;
    }
    std::string askSaveFileName(const std::string& title, const std::string& filter) override {
        asked.push_back({title, filter});
        return answer;
    }
};

}  // namespace kelvorad::testing
