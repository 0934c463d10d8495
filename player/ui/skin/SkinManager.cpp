#include "skin/SkinManager.h"

#include <algorithm>

#include <pugixml.hpp>

#include "config/UserConfig.h"
#include "ctrl/BaseCtrlManager.h"
#include "window/BaseWnd.h"

namespace {

const int VIEW_KIND_MAINWND = 1;
const int VIEW_KIND_DOWNLOAD = 2;

std::wstring Utf8Text(const char* utf8) { return pugi::as_wide(utf8); }

CSkinManager* g_appSkinManager = nullptr;  // not owned

}  // namespace

CSkinManager::CSkinManager() {
    m_viewKinds[L"mainwnd"] = VIEW_KIND_MAINWND;
    m_viewKinds[L"download"] = VIEW_KIND_DOWNLOAD;
}

bool CSkinManager::LoadSkin(const CString& path) {
    pugi::xml_document doc;
    if (!doc.load_file(path.GetString())) return false;
    if (!doc.select_node("/root/scheme")) return false;
    pugi::xpath_node_set views = doc.select_nodes("/root/view[@name]");
    if (views.empty()) return false;

    m_placeholders.clear();
    for (const pugi::xpath_node& view : views) {
        std::wstring name = Utf8Text(view.node().attribute("name").value());
        if (GetViewKind(name.c_str()) == 0) continue;
        for (const pugi::xpath_node& item : view.node().select_nodes(".//*[@htmlayout]")) {
            std::wstring key = name + L"-" + Utf8Text(item.node().attribute("htmlayout").value());
            m_placeholders.emplace(key, Utf8Text(item.node().child_value()));  // the first value stays
        }
    }
    return true;
}

void CSkinManager::RegisterWindow(CBaseSkinWnd* window) {
    if (std::find(m_windows.begin(), m_windows.end(), window) == m_windows.end()) m_windows.push_back(window);
}

void CSkinManager::UnregisterWindow(CBaseSkinWnd* window) {
    auto found = std::find(m_windows.begin(), m_windows.end(), window);
    if (found != m_windows.end()) m_windows.erase(found);
}

int CSkinManager::GetViewKind(const CString& name) const {
    auto found = m_viewKinds.find(name.GetString());
    return found == m_viewKinds.end() ? 0 : found->second;
}

CString CSkinManager::GetViewName(int kind) const {
    for (const auto& view : m_viewKinds)
        if (view.second == kind) return view.first.c_str();
    return CString();
}

void CSkinManager::ReplacePlaceholders(int viewKind, CString folder, CStringA& text) const {
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
    CStringA prefix(GetViewName(viewKind) + L"-");
    for (const auto& entry : m_placeholders) {
        CStringA name(entry.first.c_str());
        int at = name.Find(prefix);
        if (at < 0) continue;
        name.Delete(at, prefix.GetLength());
        CStringA file(folder + entry.second.c_str());
        text.Replace("{" + name + "}", file);
    }
}

void SetAppSkinManager(CSkinManager* skin) { g_appSkinManager = skin; }

CSkinManager* GetAppSkinManager() { return g_appSkinManager; }

void ReplaceSkinPlaceholders(CBaseCtrlManager* manager, CStringA& text) {
    CSkinManager* skin = GetAppSkinManager();
    if (!skin || !manager) return;
    int viewKind = manager->GetOwner() ? manager->GetOwner()->GetViewKind() : 0;
    skin->ReplacePlaceholders(viewKind, CUserConfig::GetInstance().GetSkinFolder(), text);
}
