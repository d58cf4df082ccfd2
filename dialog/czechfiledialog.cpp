#include "dialog/czechfiledialog.h"

#include <QFileSystemModel>
#include <QIdentityProxyModel>

namespace {

const QLocale Czech(QLocale::Czech, QLocale::Czechia);

class CzechFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case 1: // size; a folder has none
            return files->isDir(source) ? QIdentityProxyModel::data(index, role)
                                        : QVariant(Czech.formattedDataSize(files->size(source)));
        case 3: // date modified
            return Czech.toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }
};

} // namespace

CzechDefaultLocale::CzechDefaultLocale()
{
    QLocale::setDefault(Czech);
}

CzechDefaultLocale::~CzechDefaultLocale()
{
    QLocale::setDefault(m_before);
}

CzechFileDialog::CzechFileDialog(QWidget* parent, const QString& filter, const QString& start)
    : QFileDialog(parent, QString(), start, filter)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setProxyModel(new CzechFileColumns(this));
}
