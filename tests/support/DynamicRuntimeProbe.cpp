// SPDX-License-Identifier: MIT
// Linked the compiler's default way, with the C++ runtime as DLLs: what the
// import check must reject.
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const std::string name = argc > 0 ? argv[0] : "probe";
    std::cout << name << '\n';
    return 0;
}
