// The setup window's module (QUILLSETUP_WIZARD_MODULE, the quoted path of the built module)
// put into the installer program's read-only data between two labels when it is compiled.

__asm__(".pushsection .rodata\n"
        ".balign 64\n"
        ".globl quillsetupWizardModule\n"
        ".hidden quillsetupWizardModule\n"
        "quillsetupWizardModule:\n"
        ".incbin \"" QUILLSETUP_WIZARD_MODULE "\"\n"
        ".globl quillsetupWizardModuleEnd\n"
        ".hidden quillsetupWizardModuleEnd\n"
        "quillsetupWizardModuleEnd:\n"
        ".popsection\n");
