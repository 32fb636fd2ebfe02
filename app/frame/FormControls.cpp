// The program's form data and the creation of its hosted controls.
#include "app/frame/FormControls.h"

#include "app/frame/Texts.h"

#include <QCoreApplication>
#include <QFile>

namespace tamsel {

namespace {
constexpr char kFormDataResource[] = ":/forms/Forms.txt";
constexpr char kInstalledRegistry[] = "/vantil-registry.txt";
} // namespace

const plat::host::FormData& formData() {
    static const plat::host::FormData data = [] {
        QFile file(QString::fromLatin1(kFormDataResource));
        file.open(QIODevice::ReadOnly);
        const QByteArray text = file.readAll();
        return plat::host::FormData::fromText(std::string_view(text.constData(), text.size()));
    }();
    return data;
}

plat::host::RegistryChain controlRegistries() {
    std::vector<std::string> stores{plat::automation::ComponentRegistry::defaultPath()};
    if (QCoreApplication::instance() != nullptr)
        stores.push_back(
            (QCoreApplication::applicationDirPath() + QLatin1String(kInstalledRegistry))
                .toStdString());
    return plat::host::RegistryChain(std::move(stores));
}

plat::host::HostedControl* createFormControl(QWidget* parent, std::string_view form,
                                             const QString& name,
                                             plat::automation::AutomationError& error,
                                             const plat::host::RegistryChain& registries) {
    const plat::host::FormInstance* instance = formData().find(form, name.toStdString());
    if (instance == nullptr) {
        error = plat::automation::AutomationError(plat::automation::status::ClassNotRegistered,
                                                  std::string_view(texts::kNotInFormData));
        return nullptr;
    }
    auto* control = new plat::host::HostedControl(parent, name);
    if (!control->create(instance->clsid, &instance->bag, &error,
                         registries.registryFor(instance->clsid))) {
        delete control;
        return nullptr;
    }
    return control;
}

void saveFormControl(plat::host::FormData& data, std::string_view form,
                     plat::host::HostedControl& control) {
    data.put(plat::host::FormInstance{std::string(form), control.objectName().toStdString(),
                                      control.classId(), control.saveDesignedProperties()});
}

} // namespace tamsel
