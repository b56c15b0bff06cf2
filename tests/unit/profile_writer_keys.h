// The keys and values that the profile writer helper saves, shared with the test that kills it.
#pragma once

namespace zarvo::test {

struct WriterKey {
  const char* section;
  const char* key;
};

inline constexpr WriterKey kWriterKeys[] = {{"Form1", "Left"},
                                            {"Form1", "Top"},
                                            {"Form1", "ShowHelp"},
                                            {"Form1", "ForceShutDown1"},
                                            {"Form1", "AlphaBlendValue"},
                                            {"Form1", "AlphaBlend"},
                                            {"Form1", "Showconfirmation1"},
                                            {"Form1", "IsAlways"},
                                            {"FormCounter", "Left"},
                                            {"FormCounter", "Top"},
                                            {"FormCounter", "Visible"},
                                            {"FormCounter", "IsLocked"},
                                            {"FormOptions", "Visible"},
                                            {"FormOptions", "IsLocked"},
                                            {"FormOptions", "Left"},
                                            {"FormOptions", "Top"}};
inline constexpr int kWriterKeyCount = sizeof(kWriterKeys) / sizeof(kWriterKeys[0]);

// Every write changes the file: the value of key i in round r.
inline int WriterValue(int round, int i) { return round * 1000 + i; }

} // namespace zarvo::test
