#pragma once
// Gives this test process folders of its own under "<build>/test-home/<program>/<name>",
// emptied first, so that a test touches nothing outside the build tree and parallel tests
// share nothing: Documents, Caches, config and temp for the program, and HOME, TMPDIR and
// the runtime folder for the libraries it uses. The program's settings the caller exported
// (LUMENO_DOCUMENTS_DIR, LUMENO_MAIL_COMMAND, ...) are dropped first: a real folder of the
// user's would otherwise be shared by every test.

#include <string>

void enterTestSandbox(const std::string& name);
