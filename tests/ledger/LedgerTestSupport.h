// Shared pieces of the ledger tests: the support library's application, program folder,
// database and master rows under this suite's names, and a pick box on a line edit that
// behaves as the hosted combo does towards the screens (a pick sets the text without
// ChangeText and raises CloseUp; a text set or typed raises ChangeText; Enter raises
// KeyDown 13).
#pragma once

#include "app/ledger/PickBox.h"
#include "platform/jet/Database.h"
#include "tests/support/Application.h"
#include "tests/support/Databases.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace ledgertest {

using testsupport::addEmployee;
using testsupport::addSite;
using testsupport::freshDatabase;

inline void ensureApp() {
    testsupport::qtApp();
}

// A new empty folder for the running test, made the program's folder.
inline std::filesystem::path freshHome() {
    return testsupport::programFolder();
}

class LineEditPickBox : public QLineEdit, public tamsel::ledger::PickBox {
public:
    explicit LineEditPickBox(QWidget* parent) : QLineEdit(parent) {
        connect(this, &QLineEdit::textEdited, this, [this] { listIndex_ = -1; });
        connect(this, &QLineEdit::textChanged, this, [this] {
            if (!picking_ && ChangeText)
                ChangeText();
        });
    }
    QWidget* widget() override { return this; }
    void ClearItem() override {
        items_.clear();
        listIndex_ = -1;
    }
    void AddItem(int index, const QString& text) override {
        items_.insert(items_.begin() + index, {text, QString()});
    }
    void AddSubItem(int row, int, const QString& text) override {
        items_.at(static_cast<size_t>(row)).second = text;
    }
    int ListIndex() const override { return listIndex_; }
    QString ItemText(int index) const override {
        return items_.at(static_cast<size_t>(index)).first;
    }
    QString Text() const override { return text(); }
    void setText(const QString& t) override { QLineEdit::setText(t); }

    int itemCount() const { return static_cast<int>(items_.size()); }
    QString subText(int row) const { return items_.at(static_cast<size_t>(row)).second; }
    // Picks the item whose text is `text` from the list, as a click in the open list does.
    bool pick(const QString& text) {
        for (int i = 0; i < itemCount(); ++i) {
            if (items_[static_cast<size_t>(i)].first == text) {
                listIndex_ = i;
                picking_ = true;
                QLineEdit::setText(text);
                picking_ = false;
                if (CloseUp)
                    CloseUp();
                return true;
            }
        }
        return false;
    }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && KeyDown) {
            KeyDown(13, 0);
            return;
        }
        QLineEdit::keyPressEvent(e);
    }

private:
    std::vector<std::pair<QString, QString>> items_;
    int listIndex_ = -1;
    bool picking_ = false;
};

inline tamsel::ledger::PickBoxFactory lineEditBoxes() {
    return [](QWidget* parent, const QString& name) {
        auto box = std::make_unique<LineEditPickBox>(parent);
        box->setObjectName(name);
        return std::unique_ptr<tamsel::ledger::PickBox>(std::move(box));
    };
}

inline LineEditPickBox& lineEdit(tamsel::ledger::PickBox& box) {
    return dynamic_cast<LineEditPickBox&>(box);
}

} // namespace ledgertest
