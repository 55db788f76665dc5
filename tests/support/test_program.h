#pragma once
// A fresh program directory for one test: a temporary folder standing in for the folder of
// the executable, its databases created by the program's own start-up code, the data module
// with both connections open, the project state reset and a message recorder installed.

#include "message_recorder.h"
#include "tdm.h"

#include <QTemporaryDir>
#include <memory>

class TestProgram {
public:
    // With openDatabases false only the folder exists: the test prepares DATA/ itself.
    explicit TestProgram(bool openDatabases = true);
    ~TestProgram();

    QString dir() const { return m_dir.path(); }
    QString dataPath() const;
    // Runs the program's start-up data steps (folders, databases, calendar settings).
    void start();

    MessageRecorder messages;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDM> m_dm;
};

// The helpers of the screen tests come with it.
#include "screen_test.h"
