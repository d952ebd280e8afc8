#include <cstdio>

int main() {
    std::puts("kelvorad");
    return 0;
}
