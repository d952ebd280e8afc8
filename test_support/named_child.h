#pragma once
// Finding a window's widgets and actions by their object names, as the tests of every window
// do; a name that is not there fails the test with the name in the message.

#include <QObject>
#include <stdexcept>
#include <string>

namespace kelvorad::fakes {

template <typename T>
T& namedChild(const QObject& root, const char* name) {
    T* found = root.findChild<T*>(name);
    if (!found) throw std::runtime_error(std::string("no child named ") + name);
    return *found;
}

}  // namespace kelvorad::fakes
