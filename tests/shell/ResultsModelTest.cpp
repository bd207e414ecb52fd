#include "results/ResultsTable.h"
#include "shell/ResultsModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QSignalSpy>

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quillon::shell {
namespace {

std::vector<std::string> row(const std::string& phone, const std::string& city = "Madrid") {
  return {"activity", "", phone, "street", "28001", city, "Madrid", "http://x.es"};
}

// Collects the model tester's complaints, which it reports as warnings.
class TesterMessages {
 public:
  TesterMessages() {
    s_messages.clear();
    m_previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
          if (type != QtDebugMsg && context.category != nullptr &&
              QByteArray(context.category).startsWith("qt.modeltest")) {
            s_messages.push_back(message.toStdString());
          }
        });
  }
  ~TesterMessages() { qInstallMessageHandler(m_previous); }
  const std::vector<std::string>& messages() const { return s_messages; }

 private:
  static inline std::vector<std::string> s_messages;
  QtMessageHandler m_previous;
};

class ResultsModelTest : public ::testing::Test {
 protected:
  results::ResultsTable table{results::NameCollator("es_ES")};
  ResultsModel model{table};
};

TEST_F(ResultsModelTest, EveryChangeOfTheTablePassesTheModelTester) {
  TesterMessages messages;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
  table.AddRow("Marta", row("911"));
  table.AddRow("Alberto", row("912"));
  table.AddRow("", row("913"));
  const results::RowHandle zoe = table.AddRow("Zoe", row("914"));
  table.AppendSubItem(zoe, "zoe@example.es");
  table.SetCell(0, 0, "Yolanda");  // a new name moves the row
  table.SetCell(1, 3, "999");
  table.SortByColumn(3);
  table.SortByColumn(3);
  table.TransItalian();
  table.DeleteSelectedRows({0, 2});
  table.AddRow("Beatriz", row("915"));
  table.DeleteSelectedRows({0, 1, 2});
  EXPECT_EQ(model.rowCount(), 0);
  EXPECT_TRUE(messages.messages().empty()) << messages.messages().front();
}

TEST_F(ResultsModelTest, ShowsTheTableInWideTextWithTheCaptionsAsHeaders) {
  table.AddRow("Café España", row("911 00 00 00", "Málaga"));
  table.AddRow("Οδοντίατρος Παπαδόπουλος", row("210 000 0000", "Αθήνα"));
  EXPECT_EQ(model.columnCount(), 10);
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral(u"Café España"));
  EXPECT_EQ(model.data(model.index(0, 6)).toString(), QStringLiteral(u"Málaga"));
  EXPECT_EQ(model.data(model.index(1, 6)).toString(), QStringLiteral(u"Αθήνα"));
  EXPECT_EQ(model.data(model.index(0, 9)).toString(), QString());
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Person/Company"));
  EXPECT_EQ(model.headerData(7, Qt::Horizontal).toString(), QStringLiteral("Email"));
  EXPECT_EQ(model.headerData(9, Qt::Horizontal).toString(), QString());

  QSignalSpy headers(&model, &QAbstractItemModel::headerDataChanged);
  table.TransEspanian();
  ASSERT_EQ(headers.count(), 1);
  EXPECT_EQ(model.headerData(3, Qt::Horizontal).toString(), QStringLiteral(u"Teléfono"));
  table.TransItalian();
  EXPECT_EQ(model.headerData(4, Qt::Horizontal).toString(), QStringLiteral("Indirizzo "));
}

TEST_F(ResultsModelTest, NotifiesInsertionsAndMovesAtTheirPlaceInTheOrderByName) {
  table.AddRow("Berta", row("1"));
  table.AddRow("Dario", row("2"));
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  QSignalSpy moved(&model, &QAbstractItemModel::rowsMoved);
  table.AddRow("Carla", row("3"));
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted[0][1].toInt(), 1);
  table.SetCell(0, 0, "Eva");  // Berta becomes Eva and goes last
  ASSERT_EQ(moved.count(), 1);
  EXPECT_EQ(moved[0][1].toInt(), 0);
  EXPECT_EQ(model.data(model.index(2, 0)).toString(), QStringLiteral("Eva"));
}

TEST_F(ResultsModelTest, PersistentIndexesFollowTheirRowThroughAHeaderSort) {
  table.AddRow("Ana", row("300"));
  table.AddRow("Bea", row("100"));
  table.AddRow("Carmen", row("200"));
  const QPersistentModelIndex bea = model.index(1, 4);
  QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);
  QSignalSpy arrow(&model, &ResultsModel::sortIndicatorChanged);
  table.SortByColumn(3);
  EXPECT_EQ(layout.count(), 1);
  EXPECT_EQ(arrow.count(), 1);
  EXPECT_EQ(bea.row(), 0);
  EXPECT_EQ(bea.column(), 4);
  EXPECT_EQ(model.data(bea).toString(), QStringLiteral("street"));
  EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("Bea"));
}

TEST_F(ResultsModelTest, AnEditIsStoredAsTypedAndCutAt1024Characters) {
  table.AddRow("Ana", row("300"));
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  ASSERT_TRUE(model.setData(model.index(0, 4), QStringLiteral(u"Calle Nuñez “1”")));
  EXPECT_EQ(table.Cell(0, 4), "Calle Nuñez “1”");
  EXPECT_EQ(changed.count(), 1);

  ASSERT_TRUE(model.setData(model.index(0, 8), QString(1500, u'x')));
  EXPECT_EQ(table.Cell(0, 8).size(), 1024u);
  ASSERT_TRUE(model.setData(model.index(0, 6), QStringLiteral(u"Жуков 😀")));
  EXPECT_EQ(table.Cell(0, 6), "Жуков 😀");
  EXPECT_FALSE(model.setData(model.index(0, 6), QStringLiteral("x"), Qt::DisplayRole));
}

}  // namespace
}  // namespace quillon::shell
