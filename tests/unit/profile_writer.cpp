// Test helper: saves the sixteen settings keys round after round, as fast as it can, and reports
// each finished write on standard output, so that a test can kill it at random moments.
#include "framework/profile_file.h"
#include "tests/unit/profile_writer_keys.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
  if (argc != 3)
    return 2;
  const QString path = QString::fromLocal8Bit(argv[1]);
  const int rounds = std::atoi(argv[2]);
  int written = 0;
  for (int round = 1; round <= rounds; ++round) {
    for (int i = 0; i < zarvo::test::kWriterKeyCount; ++i) {
      const zarvo::test::WriterKey& k = zarvo::test::kWriterKeys[i];
      if (!zarvo::profile::WriteInteger(path, QString::fromLatin1(k.section), QString::fromLatin1(k.key),
                                        zarvo::test::WriterValue(round, i)))
        return 1;
      std::printf("%d\n", ++written);
      std::fflush(stdout);
    }
  }
  return 0;
}
