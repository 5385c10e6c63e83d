#include "CKOVADoc.h"

#include "SeriesName.h"

CKOVADoc::CKOVADoc(kova::Prompter& prompter, const std::string& dataDirectory,
                   CCfgFile& systemConfig)
    : measure_(prompter, dataDirectory) {
    SetName("CKOVADoc");
    measure_.OnNewDocument(&systemConfig);
    measure_.DataServer().CatchWatch(this);
}

CKOVADoc::~CKOVADoc() {
    measure_.DataServer().ReleaseWatch(this);
}

QString CKOVADoc::Title() const {
    const std::string path = measure_.Track().GetLastPath();
    if (path.empty()) return QStringLiteral("无标题");
    return QString::fromStdString(SeriesName::NameOf(path));
}

void CKOVADoc::OnDataChanged() {
    emit changed();
}
