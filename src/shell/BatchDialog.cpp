#include "shell/BatchDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quillon::shell {
namespace {

using Kind = batch::BatchDialogModel::RunKind;
using Source = batch::BatchDialogModel::Source;

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A box's text as the model takes it; set only when it differs, so the cursor stays put.
void setBoxText(QPlainTextEdit& box, const std::string& utf8) {
  if (box.toPlainText().toStdString() == utf8) return;
  const QSignalBlocker quiet(&box);
  box.setPlainText(text(utf8));
}

}  // namespace

BatchDialog::BatchDialog(std::vector<std::string> profileNames, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgBatch"));
  setWindowTitle(QStringLiteral(u"Capture a list of searches"));
  m_model.setProfileNames(std::move(profileNames));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(createKindRow());
  layout->addWidget(createSourceBox(), 1);
  layout->addWidget(new QLabel(QStringLiteral("The first addresses:"), this));
  m_preview = new QListWidget(this);
  m_preview->setObjectName(QStringLiteral("lstPreview"));
  m_preview->setMaximumHeight(6 * fontMetrics().height());
  layout->addWidget(m_preview);
  m_count = new QLabel(this);
  m_problem = new QLabel(this);
  m_problem->setObjectName(QStringLiteral("lblProblem"));
  m_problem->setWordWrap(true);
  m_problem->setStyleSheet(QStringLiteral("color: #a00000"));
  layout->addWidget(m_count);
  layout->addWidget(m_problem);
  m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Start"));
  layout->addWidget(m_buttons);
  connectWidgets();
  resize(560, 520);
  showModel();
}

QWidget* BatchDialog::createKindRow() {
  auto* row = new QWidget(this);
  auto* form = new QFormLayout(row);
  form->setContentsMargins(0, 0, 0, 0);
  m_kind = new QComboBox(row);
  m_kind->addItems({QStringLiteral("A built-in site"), QStringLiteral("Any site (schema.org data)"),
                    QStringLiteral("A saved profile")});
  m_site = new QComboBox(row);
  for (const auto& [caption, code] :
       {std::pair{"Amarillas ES", "es"}, std::pair{"Gialle IT", "it"},
        std::pair{"Yellow Australia", "au"}, std::pair{"Yellow Canada", "ca"}}) {
    m_site->addItem(QString::fromLatin1(caption), QString::fromLatin1(code));
  }
  m_profile = new QComboBox(row);
  for (const std::string& name : m_model.profileNames()) m_profile->addItem(text(name));
  form->addRow(QStringLiteral("Capture with:"), m_kind);
  form->addRow(QStringLiteral("Site:"), m_site);
  form->addRow(QStringLiteral("Profile:"), m_profile);
  return row;
}

QWidget* BatchDialog::createSourceBox() {
  auto* box = new QGroupBox(QStringLiteral("Searches"), this);
  auto* layout = new QVBoxLayout(box);
  m_listSource = new QRadioButton(QStringLiteral("Start addresses, one a line"), box);
  m_listSource->setChecked(true);
  m_list = new QPlainTextEdit(box);
  m_list->setObjectName(QStringLiteral("txtList"));
  m_list->setPlaceholderText(QStringLiteral(u"https://…/search?what=plumber&where=Madrid"));
  m_templateSource = new QRadioButton(QStringLiteral("A search template and its values"), box);
  m_template = new QLineEdit(box);
  m_template->setObjectName(QStringLiteral("edTemplate"));
  m_template->setPlaceholderText(QStringLiteral(u"https://…/search?what=plumber&where={}"));
  m_values = new QPlainTextEdit(box);
  m_values->setObjectName(QStringLiteral("txtValues"));
  m_values->setPlaceholderText(QStringLiteral("One value a line: Madrid, Toledo, …"));
  auto* load = new QPushButton(QStringLiteral(u"Load from a text file…"), box);
  load->setObjectName(QStringLiteral("btnLoad"));
  connect(load, &QPushButton::clicked, this, [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Load a list"), {},
                                     QStringLiteral("Text files (*.txt *.csv);;All files (*)"));
    if (!path.isEmpty()) loadFile(path);
  });
  layout->addWidget(m_listSource);
  layout->addWidget(m_list, 2);
  layout->addWidget(m_templateSource);
  layout->addWidget(m_template);
  layout->addWidget(m_values, 1);
  layout->addWidget(load, 0, Qt::AlignLeft);
  return box;
}

void BatchDialog::connectWidgets() {
  connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
    m_model.setRunKind(static_cast<Kind>(index));
    showModel();
  });
  connect(m_site, &QComboBox::currentIndexChanged, this, [this] {
    m_model.setSite(m_site->currentData().toString().toStdString());
    showModel();
  });
  connect(m_profile, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    m_model.setProfile(name.toStdString());
    showModel();
  });
  connect(m_listSource, &QRadioButton::toggled, this, [this](bool list) {
    m_model.setSource(list ? Source::List : Source::Template);
    showModel();
  });
  connect(m_list, &QPlainTextEdit::textChanged, this, [this] {
    m_model.setListText(m_list->toPlainText().toStdString());
    showModel();
  });
  connect(m_template, &QLineEdit::textChanged, this, [this](const QString& value) {
    m_model.setTemplate(value.toStdString());
    showModel();
  });
  connect(m_values, &QPlainTextEdit::textChanged, this, [this] {
    m_model.setValuesText(m_values->toPlainText().toStdString());
    showModel();
  });
  connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void BatchDialog::loadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    m_problem->setText(QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()));
    return;
  }
  const QByteArray bytes = file.readAll();
  m_model.loadFile({bytes.constData(), static_cast<std::size_t>(bytes.size())},
                   QFileInfo(path).fileName().toStdString());
  showModel();
}

void BatchDialog::showModel() {
  const bool byTemplate = m_model.source() == Source::Template;
  m_site->setEnabled(m_model.runKind() == Kind::BuiltInSite);
  m_profile->setEnabled(m_model.runKind() == Kind::Profile);
  m_list->setEnabled(!byTemplate);
  m_template->setEnabled(byTemplate);
  m_values->setEnabled(byTemplate);
  setBoxText(*m_list, m_model.listText());
  setBoxText(*m_values, m_model.valuesText());
  m_preview->clear();
  for (const std::string& address : m_model.preview(kPreviewCount))
    m_preview->addItem(text(address));
  const std::size_t count = m_model.addresses().size();
  m_count->setText(count == 1 ? QStringLiteral("1 search")
                              : QStringLiteral("%1 searches").arg(count));
  // What the last file said stays in view until the list is right.
  QString problem;
  if (!m_model.ready()) {
    problem = text(m_model.notice());
    if (!problem.isEmpty()) problem += QLatin1Char('\n');
    problem += text(m_model.problem());
  }
  m_problem->setText(problem);
  m_buttons->button(QDialogButtonBox::Ok)->setEnabled(m_model.ready());
}

}  // namespace quillon::shell
