#pragma once
// Shared pieces of the shell tests: scripted dialogs, a started application, data files, runs
// of the command line and of the built program.

#include "app/CKurvonApp.h"
#include "app/CKurvonView.h"
#include "app/CMainFrame.h"
#include "app/Commands.h"
#include "app/Prompts.h"
#include "controls/CColorListCtrl.h"
#include "controls/CCycleTablePanel.h"
#include "controls/CMainStatusBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>

namespace kurvon::test {

template <typename T> std::optional<T> Take(std::deque<T>& queue) {
    if (queue.empty())
        return std::nullopt;
    T answer = queue.front();
    queue.pop_front();
    return answer;
}

// The dialogs' answers, taken in turn (an empty queue, a null path or an invalid colour
// cancels), and every message shown.
struct ScriptedPrompts final : Prompts {
    std::optional<QString> AskOpenDataFile(QWidget*) override { return Take(openAnswers); }
    std::optional<PictureChoice> AskPictureFile(QWidget*) override { return Take(pictureAnswers); }
    std::optional<QColor> AskColor(QWidget*) override {
        ++colorAsked;
        const std::optional<QColor> colour = Take(colorAnswers);
        return colour && colour->isValid() ? colour : std::nullopt;
    }
    void ShowAppMessage(QWidget*, const QString& text) override { appMessages.append(text); }
    void ShowNotice(QWidget*, const QString& text) override { notices.append(text); }
    std::optional<ChannelRoles> AskChannelRoles(QWidget*, const std::vector<std::string>& names,
                                                const ChannelRoles& current) override {
        rolesAskedWith = {names, current};
        return Take(roleAnswers);
    }
    std::optional<QString> AskCycleChoice(QWidget*, const QString& current) override {
        choiceAskedWith.append(current);
        return Take(choiceAnswers);
    }

    std::deque<QString> openAnswers;
    std::deque<PictureChoice> pictureAnswers;
    std::deque<QColor> colorAnswers;
    QStringList appMessages;
    QStringList notices;
    int colorAsked = 0;
    std::deque<ChannelRoles> roleAnswers;
    std::optional<std::pair<std::vector<std::string>, ChannelRoles>> rolesAskedWith;
    std::deque<QString> choiceAnswers;
    QStringList choiceAskedWith;
};

// A started application whose dialogs are scripted, optionally loading a file at start-up.
struct RunningApp {
    explicit RunningApp(const QString& fileToLoad = QString());
    ~RunningApp() { Frame().close(); }

    CMainFrame& Frame() const { return *app->MainFrame(); }
    CKurvonView& View() const { return *Frame().View(); }
    bool Activate() const; // the keys' shortcuts need an active window

    std::unique_ptr<CKurvonApp> app;
    ScriptedPrompts* script; // owned by the view
};

// Waits until the running load has been handed over; false if it never ends.
bool WaitForLoad(CKurvonView& view);
// Waits until the running cycle table has been handed over; false if it never ends.
bool WaitForCycles(CKurvonView& view);

// Writes a data file: a header line, `channels` names, `records` data lines (CR LF).
QString WriteDataFile(const QDir& dir, const QString& name, int channels, int records);
QString WriteBytes(const QDir& dir, const QString& name, const std::string& bytes);
QByteArray ReadBytes(const QString& path); // empty when it cannot be read
QString Fifo(const QDir& dir);             // opening it would wait for a writer
QString SparseFile(const QDir& dir);       // 5 GB of NUL bytes taking no disk space

// Drops file URLs on the view the way a drag from a file manager does.
void DropOn(CKurvonView& view, const QStringList& paths, QPoint at = QPoint(100, 100));

struct Ran {
    int code = -1; // -1: the arguments are meant for the window
    std::string out, err;
};
Ran RunCli(const std::vector<std::string>& args);
// The built program under /bin/sh after `limit` (a ulimit and "&&", or empty), offscreen or
// with no display at all; nothing when it is not built beside the tests.
std::optional<Ran> RunProgram(const QString& limit, const QStringList& args, bool display);

} // namespace kurvon::test
