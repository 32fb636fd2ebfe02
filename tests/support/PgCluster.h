// A private PostgreSQL cluster for the tests of one test program: initdb into a temporary
// folder, the server listening only on a Unix socket in that folder, started on first use and
// stopped when the program ends. Started as the `postgres` user when the tests run as root
// (the server refuses to run as root).
#pragma once

#include <string>

namespace testsupport {

// Why the server tests cannot run: the PostgreSQL server programs are not installed. Empty
// when they are (a cluster that then fails to start is an error, not a skip).
std::string serverSkipReason();

// Creates a new empty database on the test cluster (started on the first call) and returns its
// URI, "postgresql:///NAME?host=SOCKETDIR&user=USER".
std::string newServerDatabase();

// The URI of a database named `name` on the test cluster (existing or not).
std::string serverUri(const std::string& name);

// Runs one SQL statement as the cluster's superuser on its maintenance database (for what a
// database administrator does: creating databases, ending sessions).
void serverAdmin(const std::string& sql);

} // namespace testsupport
