"""The print server as the end-to-end tests see it: its default printer, and the PDF files
that its PDF queue (cups-pdf, set up by scripts/start-print-server.sh) writes."""

import os
import pwd
import re
import subprocess


def default_printer():
    """The print server's default printer, or None (no server, or no default)."""
    try:
        result = subprocess.run(["lpstat", "-d"], capture_output=True, text=True, timeout=10)
    except (OSError, subprocess.TimeoutExpired):
        return None
    match = re.search(r"system default destination: (\S+)", result.stdout)
    return match.group(1) if match else None


def pdf_printer_folders():
    """Where the PDF printer puts what this user prints: its "Out" folder, with ${HOME} and
    ${USER} those of the user as the system knows them (the print server does not see the
    tests' private HOME), and the folder for anonymous jobs."""
    out = "/var/spool/cups-pdf/${USER}"
    try:
        with open("/etc/cups/cups-pdf.conf", encoding="utf-8") as config:
            for line in config:
                match = re.match(r"Out\s+(\S.*)$", line.strip())
                if match:
                    out = match.group(1).strip()
    except OSError:
        pass
    user = pwd.getpwuid(os.getuid())
    out = out.replace("${HOME}", user.pw_dir).replace("${USER}", user.pw_name)
    return [out, "/var/spool/cups-pdf/ANONYMOUS"]


def unreadable_reason():
    """Why printed pages cannot be read back here, or None when they can."""
    if default_printer() is None:
        return ("the print server has no default printer "
                "(scripts/start-print-server.sh sets up a PDF queue as default)")
    out = pdf_printer_folders()[0]
    if os.path.exists(out) and not os.access(out, os.R_OK | os.X_OK):
        return "the PDF printer's output folder %s cannot be read here" % out
    return None


def pdf_files():
    """The PDF files in the PDF printer's folders."""
    return {os.path.join(folder, name) for folder in pdf_printer_folders()
            if os.path.isdir(folder) for name in os.listdir(folder) if name.endswith(".pdf")}


def pdf_text(path):
    """The text of a PDF file (pdftotext), or None while it cannot be read (still being
    written)."""
    result = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True)
    return result.stdout if result.returncode == 0 and result.stdout.strip() else None


def new_pdf_with(before, marker):
    """(path, text) of a PDF file that is not one of `before` and whose text holds
    `marker`, or None."""
    for path in pdf_files() - before:
        text = pdf_text(path)
        if text and marker in text:
            return path, text
    return None


def words(text):
    """The text with every run of white space (line and page breaks too) as one blank."""
    return " ".join(text.split())
