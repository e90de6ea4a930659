// Test helper: a second program writing the hive, started by the tests.
//
//   registry_hive_writer distinct PREFIX COUNT
//       writes COUNT values PREFIX0.. under HKCU\Software\Tessaryn\Stress,
//       exits with the number of writes that failed
//   registry_hive_writer repeat SIZE
//       rewrites the value "Block" with SIZE copies of one letter, the letter
//       changing every time, until killed; says "writing" once started

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "system/registry/Registry.h"

namespace {

const QString kKey = QStringLiteral("Software\\Tessaryn\\Stress");

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "distinct") == 0) {
        const QString prefix = QString::fromLocal8Bit(argv[2]);
        const int count = std::atoi(argv[3]);
        int failures = 0;
        for (int i = 0; i < count; ++i) {
            if (!reg::writeText(reg::Root::CurrentUser, kKey, prefix + QString::number(i),
                                QString::number(i))) {
                ++failures;
            }
        }
        return failures;
    }
    if (argc == 3 && std::strcmp(argv[1], "repeat") == 0) {
        const int size = std::atoi(argv[2]);
        for (long i = 0;; ++i) {
            const QString block(size, QChar(static_cast<char16_t>(u'a' + i % 26)));
            reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Block"), block);
            if (i == 0) {
                std::puts("writing");
                std::fflush(stdout);
            }
        }
    }
    std::fputs("usage: registry_hive_writer distinct PREFIX COUNT | repeat SIZE\n", stderr);
    return 100;
}
