#include "program_info.h"

namespace kelvorad {

std::string_view programVersion() {
    return KELVORAD_VERSION;
}

std::string versionLine(std::string_view programName, std::string_view version,
                        std::string_view revision) {
    std::string line{programName};
    line += ' ';
    line += version;
    if (!revision.empty()) {
        line += " (";
        line += revision;
        line += ')';
    }
    return line;
}

std::string versionLine(std::string_view programName) {
    return versionLine(programName, programVersion(), buildRevision());
}

std::string authorMailto(std::string_view programTitle, std::string_view dateText) {
    std::string link = "mailto:";
    link += kAuthorAddress;
    link += "?subject=About Kelvorad";
    link += "&body=";
    link += programTitle;
    link += "; ";
    link += dateText;
    return link;
}

}  // namespace kelvorad
