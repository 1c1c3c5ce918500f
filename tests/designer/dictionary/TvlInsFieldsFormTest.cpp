#include "designer/dictionary/TvlInsFieldsForm.h"

#include "designer/dictionary/DataFieldMime.h"
#include "tests/designer/dictionary/DictionaryFixture.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QSettings>
#include <QSplitter>
#include <QTest>
#include <QToolButton>

using namespace vl;
using namespace vltest;

namespace {

class TvlInsFieldsFormTest : public DictionaryFixture {
protected:
    TvlInsFieldsFormTest() {
        OpenFormSettings(QStringLiteral("TvlInsFieldsForm"))->remove(QString());
    }
    ~TvlInsFieldsFormTest() override {
        if (window) window->close();
    }

    TvlInsFieldsForm& open() {
        if (window) window->close();
        window = new TvlInsFieldsForm(dictionary(), lastDataSet);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.data()));
        return *window;
    }
    QStringList entries(QListWidget* list) {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names;
    }
    void choose(QListWidget* list, const QString& text) {
        const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found[0]);
    }

    std::string lastDataSet; // what the designer session remembers
    QPointer<TvlInsFieldsForm> window;
};

} // namespace

TEST_F(TvlInsFieldsFormTest, ListsTheDictionarysDataSetsAndTheirFields) {
    dictionary().FieldAliases.SetVariable("Customers", Variant("Clients"));
    dictionary().FieldAliases.SetVariable("Customers.Phone", Variant(std::string()));
    dictionary().FieldAliases.SetVariable("Customers.City", Variant("Town"));
    dictionary().FieldAliases.SetVariable("Orders", Variant(std::string()));
    TvlInsFieldsForm& form = open();
    EXPECT_EQ(form.windowTitle(), "Insert data field");
    EXPECT_EQ(entries(form.dataSetList()), (QStringList{"Clients", "Orders"}));
    EXPECT_EQ(form.dataSetList()->currentRow(), 0);
    EXPECT_EQ(entries(form.fieldList()), (QStringList{"Name", "Town"}));
    choose(form.dataSetList(), "Orders");
    EXPECT_EQ(entries(form.fieldList()), (QStringList{"Number", "Date"}));
}

TEST_F(TvlInsFieldsFormTest, WithoutDataSetsNothingCanBeDragged) {
    dictionary().HiddenDataSets = {"*"};
    TvlInsFieldsForm& form = open();
    EXPECT_EQ(form.dataSetList()->count(), 0);
    EXPECT_EQ(form.fieldList()->count(), 0);
    EXPECT_EQ(form.StartFieldDrag(), nullptr);
    EXPECT_TRUE(form.DBField().empty());
}

TEST_F(TvlInsFieldsFormTest, DraggingAFieldCarriesItsReference) {
    TvlInsFieldsForm& form = open();
    choose(form.dataSetList(), "Customers");
    EXPECT_EQ(form.StartFieldDrag(), nullptr);
    choose(form.fieldList(), "Name");
    const std::unique_ptr<QMimeData> payload = form.StartFieldDrag();
    ASSERT_NE(payload, nullptr);
    EXPECT_EQ(form.DBField(), "Customers.\"Name\"");
    EXPECT_EQ(DataFieldFromMimeData(*payload), "Customers.\"Name\"");
    EXPECT_EQ(payload->text(), "[Customers.\"Name\"]");
    EXPECT_EQ(lastDataSet, "Customers");

    QMimeData other;
    other.setText(QStringLiteral("[Customers.\"Name\"]"));
    EXPECT_FALSE(DataFieldFromMimeData(other));
}

TEST_F(TvlInsFieldsFormTest, ANewWindowOpensOnTheDataSetChosenLast) {
    TvlInsFieldsForm& form = open();
    choose(form.dataSetList(), "Orders");
    form.close();
    QApplication::processEvents();
    EXPECT_TRUE(window.isNull());
    TvlInsFieldsForm& reopened = open();
    EXPECT_EQ(reopened.dataSetList()->currentItem()->text(), "Orders");
    EXPECT_EQ(entries(reopened.fieldList()), (QStringList{"Number", "Date"}));

    // A refresh keeps the choice while the dictionary changes.
    dictionary().FieldAliases.SetVariable("Orders", Variant("Sales"));
    reopened.Refresh();
    EXPECT_EQ(entries(reopened.dataSetList()), (QStringList{"Sales"}));
    EXPECT_EQ(lastDataSet, "Orders");
}

TEST_F(TvlInsFieldsFormTest, TheSplitterHeightIsKept) {
    TvlInsFieldsForm& form = open();
    QListWidget* dataSets = form.dataSetList();
    EXPECT_EQ(dataSets->height(), TvlInsFieldsForm::kDefaultSplitterPos);
    QWidget* handle = form.splitter()->handle(1);
    const QPoint start = handle->rect().center();
    auto send = [&](QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, pos, handle->mapToGlobal(pos), Qt::LeftButton, buttons, {});
        QApplication::sendEvent(handle, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    send(QEvent::MouseMove, start + QPoint(0, 40), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, start + QPoint(0, 40), Qt::NoButton);
    EXPECT_EQ(dataSets->height(), TvlInsFieldsForm::kDefaultSplitterPos + 40);
    form.close();
    EXPECT_EQ(open().dataSetList()->height(), TvlInsFieldsForm::kDefaultSplitterPos + 40);
}

TEST_F(TvlInsFieldsFormTest, RollingUpHidesTheLists) {
    TvlInsFieldsForm& form = open();
    int changes = 0;
    form.setHeightChangedHandler([&] { ++changes; });
    const int height = form.height();
    QTest::mouseClick(form.rollButton(), Qt::LeftButton);
    EXPECT_TRUE(form.isRolledUp());
    EXPECT_FALSE(form.dataSetList()->isVisible());
    EXPECT_TRUE(form.rollButton()->isVisible());
    QTest::mouseClick(form.rollButton(), Qt::LeftButton);
    EXPECT_EQ(form.height(), height);
    EXPECT_TRUE(form.dataSetList()->isVisible());
    EXPECT_EQ(changes, 2);
}
