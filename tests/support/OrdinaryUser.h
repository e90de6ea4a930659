#pragma once
// Root passes every permission check, so a test about permissions, or about
// what an ordinary user's program does, runs again as the user "nobody" when
// the tests run as root (as in CI and in containers):
//
//     if (rerunAsOrdinaryUserWhenRoot()) {
//         return;
//     }
//
// As root it starts this test executable with only the current test, under
// `setpriv --reuid`, adds its output as a failure unless that run passed, and
// returns true. Otherwise it returns false and the test goes on.
bool rerunAsOrdinaryUserWhenRoot();

// Whether the process runs with root's rights.
bool runningAsRoot();
