// The test container's window: form, property table, event list, mode switch, save and load.
#include "tools/vantil-container/ContainerWindow.h"

#include "platform/automation/ComponentRegistry.h"
#include "platform/automation/ControlObject.h"
#include "tools/vantil-container/ListPreview.h"
#include "tools/vantil-container/Texts.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace plat::automation;

namespace vantilcontainer {

namespace {

constexpr const char* kProgId = "Quodra.VantilBox";
constexpr QRect kControlPlace(16, 16, 300, 24);

QString fromU16(const std::u16string& s) {
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

std::u16string toU16(const QString& s) {
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()),
                          static_cast<std::size_t>(s.size()));
}

// A typed value from the text typed into the table: numbers in decimal, 0x or &H hexadecimal.
std::optional<Variant> parseValue(VarType type, const QString& text) {
    const QString t = text.trimmed();
    switch (type) {
    case VarType::String:
        return Variant(toU16(text));
    case VarType::Bool:
        if (t.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0 || t == "-1") {
            return Variant(true);
        }
        if (t.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0 || t == "0") {
            return Variant(false);
        }
        return std::nullopt;
    default: {
        bool ok = false;
        qlonglong v = 0;
        if (t.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
            v = t.mid(2).toLongLong(&ok, 16);
        } else {
            v = t.toLongLong(&ok, 0);
        }
        if (!ok) {
            return std::nullopt;
        }
        if (type == VarType::Short) {
            return Variant(static_cast<std::int16_t>(v));
        }
        return Variant(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    }
    }
}

} // namespace

ContainerWindow::ContainerWindow(bool designMode) {
    setWindowTitle(QString::fromUtf8(texts::kTitle));
    site_.runMode = !designMode;
    auto* mode = new QComboBox(this);
    mode->addItem(QString::fromUtf8(texts::kDesignMode));
    mode->addItem(QString::fromUtf8(texts::kRunMode));
    mode->setCurrentIndex(designMode ? 0 : 1);
    connect(mode, &QComboBox::currentIndexChanged, this,
            [this](int index) { setDesignMode(index == 0); });
    auto* save = new QPushButton(QString::fromUtf8(texts::kSave), this);
    auto* load = new QPushButton(QString::fromUtf8(texts::kLoad), this);
    connect(save, &QPushButton::clicked, this, [this] { saveBag(); });
    connect(load, &QPushButton::clicked, this, [this] { loadBag(); });
    auto* samples = new QPushButton(QString::fromUtf8(texts::kSampleItems), this);
    auto* open = new QPushButton(QString::fromUtf8(texts::kShowList), this);
    connect(samples, &QPushButton::clicked, this, [this] {
        if (control_) {
            addSampleItems(*control_);
        }
    });
    connect(open, &QPushButton::clicked, this, [this] {
        if (!showListBelow(form_)) {
            QMessageBox::information(this, QString::fromUtf8(texts::kTitle),
                                     QString::fromUtf8(texts::kNoListWindow));
        }
    });
    auto* bar = new QHBoxLayout;
    bar->addWidget(mode);
    bar->addWidget(samples);
    bar->addWidget(open);
    bar->addStretch();
    bar->addWidget(save);
    bar->addWidget(load);

    form_ = new QWidget(this);
    form_->setMinimumSize(340, 120);
    form_->setAutoFillBackground(true);

    properties_ = new QTableWidget(0, 2, this);
    properties_->setHorizontalHeaderLabels(
        {QString::fromUtf8(texts::kProperty), QString::fromUtf8(texts::kValue)});
    properties_->horizontalHeader()->setStretchLastSection(true);
    properties_->verticalHeader()->hide();
    connect(properties_, &QTableWidget::cellChanged, this, [this](int row, int column) {
        if (!filling_ && column == 1) {
            editProperty(row, properties_->item(row, 1)->text());
        }
    });
    events_ = new QListWidget(this);

    auto* left = new QVBoxLayout;
    left->addLayout(bar);
    left->addWidget(form_);
    left->addWidget(new QLabel(QString::fromUtf8(texts::kEvents), this));
    left->addWidget(events_);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addWidget(properties_, 1);
    resize(900, 600);
}

ContainerWindow::~ContainerWindow() {
    detach();
}

bool ContainerWindow::create(std::string& message) {
    site_.parent = form_;
    AutomationError error;
    if (failed(createInstance(kProgId, control_, &error)) || !control_) {
        message = std::string(texts::kCreateFailed) + ": " + error.descriptionUtf8();
        return false;
    }
    attach(nullptr);
    return true;
}

void ContainerWindow::attach(const PropertyBag* bag) {
    ControlObject* embedding = control_->controlObject();
    if (EventSource* events = control_->eventSource()) {
        events->advise(this);
    }
    if (embedding != nullptr) {
        embedding->setClientSite(&site_);
        AutomationError error;
        if (bag == nullptr) {
            embedding->initNew();
        } else if (failed(embedding->load(*bag, &error))) {
            QMessageBox::warning(this, QString::fromUtf8(texts::kTitle),
                                 QString::fromUtf8(texts::kLoadFailed) + ": " +
                                     QString::fromUtf8(error.descriptionUtf8()));
            embedding->initNew();
        }
        embedding->activateInPlace(kControlPlace.x(), kControlPlace.y(), kControlPlace.width(),
                                   kControlPlace.height());
    }
    fillProperties();
}

void ContainerWindow::detach() {
    if (!control_) {
        return;
    }
    if (EventSource* events = control_->eventSource()) {
        events->unadvise(this);
    }
    if (ControlObject* embedding = control_->controlObject()) {
        embedding->deactivate();
    }
}

void ContainerWindow::setDesignMode(bool design) {
    if (!control_ || site_.runMode == !design) {
        return;
    }
    // A new mode is a new embedding, as a form designer reloads its controls: the property
    // bag carries the state across.
    PropertyBag bag;
    if (ControlObject* embedding = control_->controlObject()) {
        embedding->save(bag, false);
    }
    detach();
    site_.runMode = !design;
    attach(&bag);
}

QString ContainerWindow::valueText(const MemberInfo& m) {
    Variant out;
    AutomationError error;
    std::vector<Variant> none;
    if (failed(control_->invoke(m.id, InvokeKind::PropertyGet, none, out, error))) {
        return QStringLiteral("(") + QString::fromUtf8(error.descriptionUtf8()) + ")";
    }
    if (out.type() == VarType::Object) {
        return QStringLiteral("(object)");
    }
    // Colours as the property browser shows them: &H, eight hexadecimal digits, &.
    if (out.type() == VarType::Long && fromU16(m.name).endsWith(QStringLiteral("Color"))) {
        return QStringLiteral("&H%1&").arg(static_cast<std::uint32_t>(out.toLong()), 8, 16,
                                           QLatin1Char('0')).toUpper();
    }
    QString text = fromU16(out.toString());
    const TypeInfo* ti = control_->typeInfo();
    if (const EnumInfo* e = ti && !m.typeName.empty() ? ti->findEnum(m.typeName) : nullptr) {
        if (const EnumConstant* c = e->find(out.toLong())) {
            // The browser names a constant without its lx… prefix.
            const QString name = fromU16(c->name);
            text += QStringLiteral(" - ") + name.mid(name.indexOf(QLatin1Char('_')) + 1);
        }
    }
    return text;
}

void ContainerWindow::fillProperties() {
    const TypeInfo* ti = control_ ? control_->typeInfo() : nullptr;
    if (ti == nullptr) {
        return;
    }
    filling_ = true;
    properties_->setRowCount(0);
    for (const MemberInfo& m : ti->members) {
        if (m.kind != MemberKind::Property || !m.params.empty()) {
            continue;
        }
        const int row = properties_->rowCount();
        properties_->insertRow(row);
        auto* name = new QTableWidgetItem(fromU16(m.name));
        name->setFlags(Qt::ItemIsEnabled);
        name->setData(Qt::UserRole, m.id);
        properties_->setItem(row, 0, name);
        auto* value = new QTableWidgetItem(valueText(m));
        if (m.readOnly) {
            value->setFlags(Qt::ItemIsEnabled);
        }
        properties_->setItem(row, 1, value);
    }
    filling_ = false;
}

void ContainerWindow::editProperty(int row, const QString& text) {
    const TypeInfo* ti = control_->typeInfo();
    const MemberInfo* m =
        ti ? ti->findMember(properties_->item(row, 0)->data(Qt::UserRole).toInt()) : nullptr;
    if (m == nullptr) {
        return;
    }
    if (const std::optional<Variant> v = parseValue(m->type, text)) {
        std::vector<Variant> args{*v};
        Variant out;
        AutomationError error;
        if (failed(control_->invoke(m->id, InvokeKind::PropertyPut, args, out, error))) {
            QMessageBox::warning(this, fromU16(m->name),
                                 QString::fromUtf8(error.descriptionUtf8()));
        }
    }
    fillProperties();
}

void ContainerWindow::onEvent(DispId id, std::span<Variant> args) {
    const TypeInfo* ti =
        control_ && control_->eventSource() ? control_->eventSource()->eventTypeInfo() : nullptr;
    const MemberInfo* m = ti ? ti->findMember(id) : nullptr;
    QString line = m ? fromU16(m->name) : QString::number(id);
    QStringList values;
    for (const Variant& a : args) {
        values << fromU16(a.toString());
    }
    events_->addItem(line + "(" + values.join(QStringLiteral(", ")) + ")");
    events_->scrollToBottom();
}

void ContainerWindow::saveBag() {
    const QString path = QFileDialog::getSaveFileName(this, QString::fromUtf8(texts::kSave), {},
                                                      QString::fromUtf8(texts::kBagFilter));
    if (path.isEmpty() || !control_->controlObject()) {
        return;
    }
    PropertyBag bag;
    control_->controlObject()->save(bag, true);
    QFile f(path);
    const std::string text = bag.toText();
    if (!f.open(QIODevice::WriteOnly) || f.write(text.data(), static_cast<qint64>(text.size())) !=
                                             static_cast<qint64>(text.size())) {
        QMessageBox::warning(this, QString::fromUtf8(texts::kTitle),
                             QString::fromUtf8(texts::kSaveFailed));
    }
}

void ContainerWindow::loadBag() {
    const QString path = QFileDialog::getOpenFileName(this, QString::fromUtf8(texts::kLoad), {},
                                                      QString::fromUtf8(texts::kBagFilter));
    if (path.isEmpty()) {
        return;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, QString::fromUtf8(texts::kTitle),
                             QString::fromUtf8(texts::kLoadFailed));
        return;
    }
    const QByteArray data = f.readAll();
    const PropertyBag bag = PropertyBag::fromText(std::string_view(data.constData(), data.size()));
    detach();
    attach(&bag);
}

} // namespace vantilcontainer
