#include "program_info.h"

namespace kelvorad {

std::string_view programVersion() {
    return KELVORAD_VERSION;
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
