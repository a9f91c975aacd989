// SPDX-License-Identifier: GPL-3.0-or-later
// The main of the test programs that talk to an audio server. They run only against a server
// that a fixture started in the test folders, so that a run by hand, without the fixture's
// variables, never loads sinks on the user's own server nor kills it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
bool OnTestServer()
{
    const char* server = std::getenv("PULSE_SERVER");
    const std::string folders = "unix:" TEST_SERVER_FOLDERS "/";
    if (!server || std::string(server).rfind(folders, 0) != 0)
        return false;
    // The folder named for the server's pid and marks must be the socket's own.
    const char* dir = std::getenv("PHONODUCT_PULSE_DIR");
    return !dir || std::string(server) == "unix:" + std::string(dir) + "/native";
}
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!OnTestServer()) {
        std::fprintf(stderr,
                     "This test needs a server started by its CTest fixture (PULSE_SERVER under "
                     "%s); run it with ctest.\n",
                     TEST_SERVER_FOLDERS);
        return 2;
    }
    return RUN_ALL_TESTS();
}
