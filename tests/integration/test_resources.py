"""The resources of the built program, read back from its PE file: the two
descriptions in each of the 16 languages character for character, the
administrator manifest and nothing else in it, the version information from
the project's version, and no other resource. Checks the 64-bit build the
tests run and, when it has been built, the 32-bit product too."""
import os
import re
import unittest
import xml.etree.ElementTree as ET

import pe_resources

EXE = os.environ.get("VIREO_EXE", "")
SOURCE_DIR = os.environ.get("VIREO_SOURCE_DIR", "")

RT_STRING, RT_VERSION, RT_MANIFEST = 6, 16, 24
TASK_DESCRIPTION_ID = 110
SERVICE_DESCRIPTION_ID = 120
ENGLISH_US = 1033

# The texts as they must be stored (the German ones name the product without
# the company in their first sentence). This copy is kept apart from the
# resource script on purpose, so that a slip in either one shows.
TASK_DESCRIPTIONS = {
    29:  # Swedish
    "Med den här uppgiften hålls Tessaly Vireo Player-installationen uppdaterad med de senaste förbättringarna och säkerhetskorrigeringarna. Om du inaktiverar eller tar bort uppgiften kan Tessaly Vireo Player inte skydda datorn automatiskt med de senaste säkerhetskorrigeringarna.",
    1028:  # Chinese (Traditional)
    "這個工作會讓您的 Tessaly Vireo Player 安裝與最新增強功能和安全性修正保持同步。如果停用或移除這個工作，Tessaly Vireo Player 將無法自動透過最新安全性修正保護您的電腦。",
    1029:  # Czech
    "Tato úloha udržuje instalaci přehrávače Tessaly Vireo Player v aktualizovaném stavu s použitím nejnovějších rozšíření a oprav zabezpečení. Při zakázání nebo odebrání této úlohy nebude moci přehrávač Tessaly Vireo Player použít automatické zabezpečení počítače pomocí nejnovějších oprav zabezpečení.",
    1031:  # German
    "Mit diesem Task ist Ihre Vireo Player-Installation immer aktuell und verwendet die neuesten Verbesserungen und Sicherheits-Fixes. Wenn dieser Task deaktiviert oder entfernt wird, kann Tessaly Vireo Player Ihren Computer nicht automatisch mit den neuesten Sicherheits-Fixes sichern.",
    1033:  # English (United States)
    "This task keeps your Tessaly Vireo Player installation up to date with the latest enhancements and security fixes. If this task is disabled or removed, Tessaly Vireo Player will be unable to automatically secure your machine with the latest security fixes.",
    1036:  # French
    "Cette tâche permet de tenir à jour votre installation d’Tessaly Vireo Player afin de profiter des dernières améliorations et des derniers correctifs de sécurité. Si vous désactivez ou supprimez cette tâche, Tessaly Vireo Player ne sera plus en mesure de sécuriser automatiquement votre ordinateur à l’aide des derniers correctifs de sécurité.",
    1040:  # Italian
    "Questa attività mantiene aggiornata l'installazione di Tessaly Vireo Player con gli ultimi miglioramenti e le più recenti correzioni relative alla sicurezza. Se l'attività viene disattivata o rimossa, Tessaly Vireo Player non sarà in grado di proteggere automaticamente il sistema con le ultime correzioni relative alla sicurezza.",
    1041:  # Japanese
    "このタスクにより、Tessaly Vireo Player は最新の機能強化とセキュリティの修正がインストールされた最新の状態で保たれます。このタスクを無効にしたり削除したりすると、Tessaly Vireo Player は最新のセキュリティの修正でご使用のマシンを自動的に保護することができなくなります。",
    1042:  # Korean
    "이 작업은 설치된 Tessaly Vireo Player를 최신 기능 향상과 보안 수정 사항이 포함된 최신 상태로 유지합니다. 이 작업이 비활성화되거나 제거되면 Tessaly Vireo Player가 최신 보안 수정 사항을 통해 컴퓨터의 보안을 자동으로 유지할 수 없습니다.",
    1043:  # Dutch
    "Met deze taak zorgt u dat uw installatie van Tessaly Vireo Player up-to-date blijft met de nieuwste correcties en beveiligingsverbeteringen. Wanneer deze taak wordt uitgeschakeld of verwijderd, kan Tessaly Vireo Player uw computer niet meer automatisch beveiligen met de meest recente beveiligingsverbeteringen.",
    1045:  # Polish
    "To zadanie zapewnia aktualność instalacji programu Tessaly Vireo Player, stosując najnowsze ulepszenia i poprawki zabezpieczeń. Jeśli to zadanie zostanie wyłączone lub usunięte, program Tessaly Vireo Player nie będzie mógł automatycznie zabezpieczać komputera przy użyciu najnowszych poprawek zabezpieczeń.",
    1046:  # Portuguese (Brazil)
    "Esta tarefa mantém sua instalação do Tessaly Vireo Player atualizada com os aprimoramentos e as correções de segurança mais recentes. Se esta tarefa for desativada ou removida, o Tessaly Vireo Player não poderá proteger sua máquina automaticamente com as correções de segurança mais recentes.",
    1049:  # Russian
    "Эта задача поддерживает актуальность установки Tessaly Vireo Player с помощью последних улучшений и исправлений системы безопасности. Если эта задача отключена или удалена, Tessaly Vireo Player не сможет автоматически защищать компьютер с помощью новейших исправлений системы безопасности.",
    1055:  # Turkish
    "Bu görev, Tessaly Vireo Player yüklemenizi en yeni geliştirmeler ve güvenlik düzeltmeleri ile güncel tutar. Bu görev devre dışı bırakılır veya kaldırılırsa Tessaly Vireo Player, makinenizi en son güvenlik düzeltmeleri ile otomatik olarak koruyamaz.",
    2052:  # Chinese (Simplified)
    "此任务可使您安装的 Tessaly Vireo Player 能及时获得最新的增强功能和安全修补程序。如果此任务被禁用或删除，则 Tessaly Vireo Player 将无法自动使用最新的安全修补程序保护您的机器。",
    3082:  # Spanish
    "Esta tarea mantiene actualizada la instalación de Tessaly Vireo Player con las últimas mejoras y soluciones de seguridad. Si desactiva o elimina la tarea, Tessaly Vireo Player no podrá proteger automáticamente su equipo con las últimas soluciones de seguridad.",
}

SERVICE_DESCRIPTIONS = {
    29:  # Swedish
    "Med den här tjänsten hålls Tessaly Vireo Player-installationen uppdaterad med de senaste förbättringarna och säkerhetskorrigeringarna.",
    1028:  # Chinese (Traditional)
    "這個服務會讓您的 Tessaly Vireo Player 安裝與最新增強功能和安全性修正保持同步。",
    1029:  # Czech
    "Tato služba udržuje instalaci přehrávače Tessaly Vireo Player v aktualizovaném stavu s použitím nejnovějších rozšíření a oprav zabezpečení.",
    1031:  # German
    "Mit diesem Dienst ist Ihre Vireo Player-Installation immer aktuell und verwendet die neuesten Verbesserungen und Sicherheits-Fixes.",
    1033:  # English (United States)
    "This service keeps your Tessaly Vireo Player installation up to date with the latest enhancements and security fixes.",
    1036:  # French
    "Ce service permet de tenir à jour votre installation d’Tessaly Vireo Player afin de profiter des dernières améliorations et des derniers correctifs de sécurité.",
    1040:  # Italian
    "Questo servizio mantiene aggiornata l'installazione di Tessaly Vireo Player con gli ultimi miglioramenti e le più recenti correzioni relative alla sicurezza.",
    1041:  # Japanese
    "このサービスにより、Tessaly Vireo Player は最新の機能強化とセキュリティの修正がインストールされた最新の状態で保たれます。",
    1042:  # Korean
    "이 서비스를 이용하면 설치된 Tessaly Vireo Player가 최신 기능 향상과 보안 수정 사항이 포함된 최신 상태로 유지됩니다.",
    1043:  # Dutch
    "Deze service zorgt ervoor dat uw installatie van Tessaly Vireo Player up-to-date blijft met de nieuwste correcties en beveiligingsverbeteringen.",
    1045:  # Polish
    "Ta usługa zapewnia aktualność instalacji programu Tessaly Vireo Player przez stosowanie najnowszych ulepszeń i poprawek zabezpieczeń.",
    1046:  # Portuguese (Brazil)
    "Este serviço mantém sua instalação do Tessaly Vireo Player atualizada com os aprimoramentos e as correções de segurança mais recentes.",
    1049:  # Russian
    "Эта служба поддерживает актуальность установки Tessaly Vireo Player с помощью последних улучшений и исправлений системы безопасности.",
    1055:  # Turkish
    "Bu hizmet, Tessaly Vireo Player yüklemenizi en yeni geliştirmeler ve güvenlik düzeltmeleri ile güncel tutar.",
    2052:  # Chinese (Simplified)
    "此服务可使您安装的 Tessaly Vireo Player 能及时获得最新增强功能和安全修补程序。",
    3082:  # Spanish
    "Este servicio mantiene actualizada la instalación de Tessaly Vireo Player con las últimas mejoras y soluciones de seguridad.",
}


def strings_by_language(resources):
    """{language: {string id: text}} of every non-empty string in the table."""
    result = {}
    for (kind, block, language), data in resources.items():
        if kind != RT_STRING:
            continue
        for index, text in enumerate(pe_resources.decode_string_block(data)):
            if text:
                result.setdefault(language, {})[(block - 1) * 16 + index] = text
    return result


def project_version():
    with open(os.path.join(SOURCE_DIR, "CMakeLists.txt"), encoding="utf-8") as f:
        found = re.search(r"project\(VireoPlayerUpdater VERSION ([0-9.]+)", f.read())
    numbers = [int(n) for n in found.group(1).split(".")]
    return (numbers + [0, 0, 0, 0])[:4]


class ResourcesTest(unittest.TestCase):
    def executables(self):
        if not EXE or not SOURCE_DIR:
            self.fail("VIREO_EXE and VIREO_SOURCE_DIR must be set (run through ctest)")
        found = [EXE]
        product = os.path.join(SOURCE_DIR, "build", "windows", "VireoPlayerUpdater.exe")
        if os.path.exists(product) and os.path.abspath(product) != os.path.abspath(EXE):
            found.append(product)
        return found

    def test_string_table_holds_both_descriptions_in_16_languages(self):
        expected = {language: {TASK_DESCRIPTION_ID: TASK_DESCRIPTIONS[language],
                               SERVICE_DESCRIPTION_ID: SERVICE_DESCRIPTIONS[language]}
                    for language in TASK_DESCRIPTIONS}
        self.assertEqual(len(expected), 16)
        for exe in self.executables():
            table = strings_by_language(pe_resources.read_resources(exe))
            self.assertEqual(sorted(table), sorted(expected), exe)
            for language in expected:
                with self.subTest(exe=exe, language=language):
                    self.assertEqual(table[language], expected[language])

    def test_only_the_string_table_the_manifest_and_the_version(self):
        for exe in self.executables():
            resources = pe_resources.read_resources(exe)
            others = sorted((key for key in resources if key[0] != RT_STRING), key=str)
            self.assertEqual(others, [(RT_VERSION, 1, ENGLISH_US), (RT_MANIFEST, 1, ENGLISH_US)], exe)

    def test_manifest_requests_administrator_rights_and_nothing_else(self):
        v1 = "{urn:schemas-microsoft-com:asm.v1}"
        v3 = "{urn:schemas-microsoft-com:asm.v3}"
        for exe in self.executables():
            manifest = pe_resources.read_resources(exe)[(RT_MANIFEST, 1, ENGLISH_US)]
            assembly = ET.fromstring(manifest)
            self.assertEqual(assembly.tag, v1 + "assembly")
            self.assertEqual(assembly.attrib, {"manifestVersion": "1.0"})
            tags = [element.tag for element in assembly.iter()]
            self.assertEqual(tags, [v1 + "assembly", v3 + "trustInfo", v3 + "security",
                                    v3 + "requestedPrivileges", v3 + "requestedExecutionLevel"])
            level = assembly.find("./%strustInfo/%ssecurity/%srequestedPrivileges/"
                                  "%srequestedExecutionLevel" % (v3, v3, v3, v3))
            self.assertEqual(level.attrib, {"level": "requireAdministrator", "uiAccess": "false"})

    def test_version_information_comes_from_the_project_version(self):
        major, minor, patch, tweak = project_version()
        text = "%d.%d.%d.%d" % (major, minor, patch, tweak)
        for exe in self.executables():
            data = pe_resources.read_resources(exe)[(RT_VERSION, 1, ENGLISH_US)]
            fixed, strings, translations = pe_resources.decode_version(data)
            self.assertEqual(fixed["signature"], 0xFEEF04BD)
            for part in ("file", "product"):
                self.assertEqual(fixed[part + "_ms"], (major << 16) | minor)
                self.assertEqual(fixed[part + "_ls"], (patch << 16) | tweak)
            self.assertEqual(fixed["os"], 0x40004)  # VOS_NT_WINDOWS32
            self.assertEqual(fixed["type"], 1)  # VFT_APP
            self.assertEqual(translations, [(ENGLISH_US, 1200)])
            self.assertEqual(list(strings), ["040904B0"])
            values = strings["040904B0"]
            self.assertEqual(sorted(values), sorted([
                "CompanyName", "FileDescription", "FileVersion", "LegalCopyright",
                "LegalTrademarks", "ProductName", "ProductVersion"]))
            self.assertEqual(values["FileVersion"], text)
            self.assertEqual(values["ProductVersion"], text)
            self.assertEqual(values["CompanyName"], "Tessaly Systems Incorporated")
            self.assertTrue(all(values.values()))


if __name__ == "__main__":
    unittest.main()
