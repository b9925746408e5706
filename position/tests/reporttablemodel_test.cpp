#include "position/reporttablemodel.h"

#include "platform/tests/pdftools.h"
#include "position/core/reportgrid.h"

#include <gtest/gtest.h>
#include <QColor>
#include <QFont>

namespace {

class ReportTableModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_report.reset("01/02/2024");
        m_report.appendRow("Google result 1", "http://www.example.com/");
        m_report.appendRow("two\r\nlines", "caf\xE9");
        m_model.reload();
    }

    QModelIndex at(int row, int column) { return m_model.index(row, column); }

    ReportGrid m_report;
    ReportTableModel m_model{m_report};
};

}  // namespace

TEST_F(ReportTableModelTest, RowZeroIsTheHeaderAndTheRestAreRows) {
    EXPECT_EQ(m_model.rowCount(), 3);
    EXPECT_EQ(m_model.columnCount(), 2);
    EXPECT_EQ(m_model.headerData(0, Qt::Horizontal).toString(), "Ranqor TM Report");
    EXPECT_EQ(m_model.headerData(1, Qt::Horizontal).toString(), "01/02/2024");
    EXPECT_EQ(at(0, 0).data().toString(), "Google result 1");
    EXPECT_EQ(at(1, 0).data().toString(), "two\nlines");
    EXPECT_EQ(at(1, 1).data().toString(), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(at(2, 0).data().toString(), "");
    EXPECT_TRUE(at(0, 0).flags() & Qt::ItemIsEditable);
}

TEST_F(ReportTableModelTest, AddressesAreShownAsLinks) {
    EXPECT_EQ(at(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    EXPECT_TRUE(at(0, 1).data(Qt::FontRole).value<QFont>().underline());
    EXPECT_FALSE(at(0, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_FALSE(at(0, 0).data(Qt::FontRole).isValid());
}

TEST_F(ReportTableModelTest, UneditedCellsKeepTheirBytesAndEditedOnesAreUtf8WithCrLf) {
    EXPECT_TRUE(m_model.setData(at(1, 1), at(1, 1).data(Qt::EditRole)));
    EXPECT_TRUE(m_model.setData(at(1, 0), at(1, 0).data(Qt::EditRole)));
    EXPECT_EQ(m_report.table().cell(1, 2), "caf\xE9");
    EXPECT_EQ(m_report.table().cell(0, 2), "two\r\nlines");

    EXPECT_TRUE(m_model.setData(at(1, 1), QString::fromUtf8("caf\xC3\xA9s\nand more")));
    EXPECT_EQ(m_report.table().cell(1, 2), "caf\xC3\xA9s\r\nand more");
    EXPECT_TRUE(m_model.setData(at(2, 0), "ftp://files.example/"));
    EXPECT_EQ(m_report.table().cell(0, 3), "ftp://files.example/");
    EXPECT_EQ(at(2, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
}

TEST_F(ReportTableModelTest, RowsAreInsertedAndRemovedInTheGrid) {
    ASSERT_TRUE(m_model.insertRows(1, 2));
    EXPECT_EQ(m_report.rowCount(), 6);
    EXPECT_EQ(m_report.table().cell(0, 1), "Google result 1");
    EXPECT_EQ(m_report.table().cell(0, 2), "");
    EXPECT_EQ(m_report.table().cell(0, 4), "two\r\nlines");
    ASSERT_TRUE(m_model.removeRows(0, 3));
    EXPECT_EQ(m_report.rowCount(), 3);
    EXPECT_EQ(m_report.table().cell(0, 0), "Ranqor TM Report");
    EXPECT_EQ(m_report.table().cell(0, 1), "two\r\nlines");
    EXPECT_FALSE(m_model.removeRows(0, 3));
    EXPECT_FALSE(m_model.insertRows(5, 1));
}

TEST_F(ReportTableModelTest, ReloadShowsWhatWasWrittenIntoTheGrid) {
    int resets = 0;
    QObject::connect(&m_model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QModelIndex heldByAView = at(2, 1);
    m_report.reset("02/02/2024");
    // Before the reload the model answers only for cells that still exist.
    EXPECT_FALSE(heldByAView.data().isValid());
    m_report.appendRow("Yahoo! result 1.", "http://a.example/");
    m_model.reload();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(m_model.rowCount(), 2);
    EXPECT_EQ(m_model.headerData(1, Qt::Horizontal).toString(), "02/02/2024");
    EXPECT_EQ(at(0, 0).data().toString(), "Yahoo! result 1.");
}
