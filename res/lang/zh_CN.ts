<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>CChannelView</name>
    <message>
        <source>The clipboard holds no cells to paste.</source>
        <translation>剪贴板中没有可粘贴的单元格。</translation>
    </message>
    <message>
        <source>Cells cannot be pasted into the column headings.</source>
        <translation>不能把单元格粘贴到列标题中。</translation>
    </message>
    <message>
        <source>With whole channels selected, only whole channels (%1 columns) can be pasted, but the clipboard holds %2 columns. Click the cell to paste into instead.</source>
        <translation>选中整个信道时，只能粘贴整个信道（%1 列），但剪贴板中有 %2 列。请改为点击要粘贴到的单元格。</translation>
    </message>
    <message>
        <source>The clipboard holds %1 rows, but from channel %2 down the table has only %3. Nothing was pasted.</source>
        <translation>剪贴板中有 %1 行，但表格从信道 %2 往下只有 %3 行。没有粘贴任何内容。</translation>
    </message>
    <message>
        <source>The clipboard holds %1 columns, but from &quot;%2&quot; on the table has only %3. Nothing was pasted.</source>
        <translation>剪贴板中有 %1 列，但表格从“%2”往后只有 %3 列。没有粘贴任何内容。</translation>
    </message>
    <message>
        <source>outside the band %1 - %2 MHz</source>
        <translation>超出频段 %1 - %2 MHz</translation>
    </message>
    <message>
        <source>%1 of %2 rows were pasted. The rows with a refused cell were left as they were:</source>
        <translation>已粘贴 %2 行中的 %1 行。含有被拒绝单元格的行保持原样：</translation>
    </message>
    <message>
        <source>on neither the 5 kHz nor the 6.25 kHz step</source>
        <translation>既不在 5 kHz 步进上，也不在 6.25 kHz 步进上</translation>
    </message>
    <message>
        <source>not in the column&apos;s list</source>
        <translation>不在该列的列表中</translation>
    </message>
    <message>
        <source>a channel name holds only A-Z, 0-9, &apos;-&apos; and &apos;_&apos;</source>
        <translation>信道名字只能包含 A-Z、0-9、“-”和“_”</translation>
    </message>
    <message>
        <source>longer than %1 characters</source>
        <translation>超过 %1 个字符</translation>
    </message>
    <message>
        <source>the channel has no Rx Frequency</source>
        <translation>该信道没有接收频率</translation>
    </message>
    <message>
        <source>Channel %1, %2: &quot;%3&quot;: %4</source>
        <translation>信道 %1，%2：“%3”：%4</translation>
    </message>
    <message>
        <source>Clear the %1 selected channels (%2 to %3)? Their settings are lost.</source>
        <translation>清除所选的 %1 个信道（%2 至 %3）吗？它们的设置将丢失。</translation>
    </message>
</context>
<context>
    <name>CComSetupDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>COM Setup</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Verify after write</source>
        <translation>写后校验</translation>
    </message>
    <message>
        <source>Read the radio back after writing and compare it with the data sent</source>
        <translation>写入后读回电台数据，与写入的数据比较</translation>
    </message>
    <message>
        <source>Back up the radio before writing</source>
        <translation>写前备份电台</translation>
    </message>
    <message>
        <source>Read the radio into a dated file in this folder first; if that fails, nothing is written</source>
        <translation>先把电台数据读入此文件夹中带日期的文件；若失败则不写入任何数据</translation>
    </message>
    <message>
        <source>Choose the backup folder</source>
        <translation>选择备份文件夹</translation>
    </message>
    <message>
        <source>Enter the full path of the folder for the backups.</source>
        <translation>请输入备份文件夹的完整路径。</translation>
    </message>
</context>
<context>
    <name>CCopyFromDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Copy Channels From</source>
        <translation>从其他文件复制信道</translation>
    </message>
    <message>
        <source>The file was saved by</source>
        <translation>该文件的编程软件</translation>
    </message>
</context>
<context>
    <name>CLanguageDlg</name>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;New</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>新建一个文档
新建</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>打开(&amp;O)...</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>打开一个已有的文档
打开</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Close the active document
Close</source>
        <translation>关闭当前文档
关闭</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>保存当前文档
保存</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>用新名字保存当前文档
另存为</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <source>Print the active document
Print</source>
        <translation>打印当前文档
打印</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>显示整页
打印预览</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>更改打印机及打印选项
打印设置</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>退出程序，并提示保存文档
退出</translation>
    </message>
    <message>
        <source>&amp;Product Information</source>
        <translation>类型设置(&amp;P)</translation>
    </message>
    <message>
        <source>Choose the radio type and its frequency band
Product Information</source>
        <translation>选择电台型号及其频段
类型设置</translation>
    </message>
    <message>
        <source>&amp;Channel Information</source>
        <translation>信道信息(&amp;C)</translation>
    </message>
    <message>
        <source>Show the channel table
Channel Information</source>
        <translation>显示信道表
信道信息</translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation>可选功能(&amp;O)</translation>
    </message>
    <message>
        <source>Edit the radio&apos;s general settings
Optional Features</source>
        <translation>编辑电台的功能设置
可选功能</translation>
    </message>
    <message>
        <source>&amp;Read</source>
        <translation>读频(&amp;R)</translation>
    </message>
    <message>
        <source>Read Data From Radio
Read</source>
        <translation>从电台读取数据
读频</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>写频(&amp;W)</translation>
    </message>
    <message>
        <source>Write Data To Radio
Write</source>
        <translation>向电台写入数据
写频</translation>
    </message>
    <message>
        <source>Scan Info</source>
        <translation>扫描信息</translation>
    </message>
    <message>
        <source>Edit the priority scan settings
Scan Info</source>
        <translation>编辑优先扫描设置
扫描信息</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle ToolBar</source>
        <translation>显示或隐藏工具栏
切换工具栏</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle StatusBar</source>
        <translation>显示或隐藏状态栏
切换状态栏</translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation>导航栏(&amp;C)</translation>
    </message>
    <message>
        <source>Show or hide the navigation bar
Control Bar</source>
        <translation>显示或隐藏导航栏
导航栏</translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation>串口设置(&amp;C)</translation>
    </message>
    <message>
        <source>Choose the serial port of the radio
Com Setup</source>
        <translation>选择连接电台的串口
串口设置</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>Choose the interface language
Language</source>
        <translation>选择界面语言
语言</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>关于(&amp;A)...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>显示程序信息、版本号和版权
关于</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>Export P&amp;DF...</source>
        <translation>导出PDF(&amp;D)...</translation>
    </message>
    <message>
        <source>Save the printed report as a PDF file
Export PDF</source>
        <translation>把打印报表保存为PDF文件
导出PDF</translation>
    </message>
    <message>
        <source>Copy Channels &amp;From...</source>
        <translation>从文件复制信道(&amp;F)...</translation>
    </message>
    <message>
        <source>Copy the channels of another radio&apos;s file into this one
Copy Channels From</source>
        <translation>把其他电台文件的信道复制到本文档
复制信道</translation>
    </message>
    <message>
        <source>Write to &amp;several radios...</source>
        <translation>写多台电台(&amp;S)...</translation>
    </message>
    <message>
        <source>Write the same data into one radio after another
Write to several radios</source>
        <translation>把同一数据依次写入多台电台
写多台电台</translation>
    </message>
</context>
<context>
    <name>CNavigationBar</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>COptionsDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Optional Features</source>
        <translation>可选功能</translation>
    </message>
</context>
<context>
    <name>CProcessDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>进度</translation>
    </message>
</context>
<context>
    <name>CProductInfoDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Product Information</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>频段</translation>
    </message>
</context>
<context>
    <name>CScanInfoDlg</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Scan Infomation</source>
        <translation>扫描信息</translation>
    </message>
    <message>
        <source>Please enter a number.</source>
        <translation>请输入一个数字。</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>请输入一个整数。</translation>
    </message>
</context>
<context>
    <name>CViewLink</name>
    <message>
        <source>There is no folder for the backups: choose one in Com Setup. Nothing was written to the radio.</source>
        <translation>没有备份文件夹：请在串口设置中选择。未向电台写入任何数据。</translation>
    </message>
</context>
<context>
    <name>CWindowTransferHost</name>
    <message>
        <source>The radio was written, but the read-back was cancelled: the write is not verified.</source>
        <translation>电台已写入，但读回被取消：写入未经校验。</translation>
    </message>
    <message>
        <source>Cancelled during the backup: nothing was written to the radio.</source>
        <translation>在备份时取消：未向电台写入任何数据。</translation>
    </message>
    <message>
        <source>Cancelled: the radio may hold a partial write.</source>
        <translation>已取消：电台中可能只写入了部分数据。</translation>
    </message>
</context>
<context>
    <name>CWriteSeveralDlg</name>
    <message>
        <source>&amp;Next</source>
        <translation>下一台(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>停止(&amp;S)</translation>
    </message>
    <message>
        <source>Write to several radios</source>
        <translation>写多台电台</translation>
    </message>
    <message>
        <source>Connect a radio and press Next to write this data into it; then the next radio. Stop ends the row.</source>
        <translation>接上一台电台，按“下一台”把本数据写入；然后接下一台。按“停止”结束。</translation>
    </message>
    <message>
        <source>Each radio is first backed up into %1.</source>
        <translation>每台电台先备份到 %1。</translation>
    </message>
    <message>
        <source>Each radio is verified after the write.</source>
        <translation>每台电台写入后都进行校验。</translation>
    </message>
    <message>
        <source>Radios done:</source>
        <translation>已完成台数：</translation>
    </message>
    <message>
        <source>Failed:</source>
        <translation>失败台数：</translation>
    </message>
    <message>
        <source>Writing radio %1...</source>
        <translation>正在写第 %1 台电台...</translation>
    </message>
    <message>
        <source>Radio %1: written and verified.</source>
        <translation>第 %1 台：已写入并校验。</translation>
    </message>
    <message>
        <source>Radio %1: written.</source>
        <translation>第 %1 台：已写入。</translation>
    </message>
    <message>
        <source>Radio %1 failed: %2</source>
        <translation>第 %1 台失败：%2</translation>
    </message>
    <message>
        <source>Stopping after this radio...</source>
        <translation>本台写完后停止...</translation>
    </message>
    <message>
        <source>Radios: %1, written: %2, verified: %3, failed: %4.</source>
        <translation>电台：%1 台，写入：%2 台，校验：%3 台，失败：%4 台。</translation>
    </message>
    <message>
        <source>Radio %1: %2</source>
        <translation>第 %1 台：%2</translation>
    </message>
</context>
<context>
    <name>Strings</name>
    <message>
        <source>Out of range,please input again.</source>
        <translation>超出范围，请重新输入。</translation>
    </message>
    <message>
        <source>Communication Error,Please check all the connections and the radio power</source>
        <translation>通信错误，请检查所有连接及电台电源</translation>
    </message>
    <message>
        <source>All data will be Cleared!</source>
        <translation>所有数据将被清除！</translation>
    </message>
    <message>
        <source>Could not Open the Port,Please check whether the Port are occupied or the device are ok</source>
        <translation>无法打开端口，请检查端口是否被占用或设备是否正常</translation>
    </message>
    <message>
        <source>Program Interrupt, Please reset the radio and try again</source>
        <translation>编程中断，请将电台复位后重试</translation>
    </message>
    <message>
        <source>Error data Value, please input according the step value(6.25K/5k).</source>
        <translation>数据错误，请按步进值(6.25K/5K)输入。</translation>
    </message>
    <message>
        <source>Caution</source>
        <translation>注意</translation>
    </message>
    <message>
        <source>Cannot keep a backup in %1: %2. Nothing was written to the radio.</source>
        <translation>无法在 %1 中保存备份：%2。没有向电台写入任何数据。</translation>
    </message>
    <message>
        <source>The radio could not be read for the backup, so nothing was written to it.</source>
        <translation>无法读取电台数据进行备份，因此没有向电台写入任何数据。</translation>
    </message>
    <message>
        <source>The backup could not be saved: %1. Nothing was written to the radio.</source>
        <translation>无法保存备份：%1。没有向电台写入任何数据。</translation>
    </message>
    <message>
        <source>The radio was written, but reading it back for the verify failed: the write is not verified.</source>
        <translation>电台已写入，但校验时回读失败：写入未经校验。</translation>
    </message>
    <message>
        <source>Verify failed: %1 bytes in the radio differ from the image written, the first at address %2.</source>
        <translation>校验失败：电台中有 %1 个字节与写入的数据不同，第一个位于地址 %2。</translation>
    </message>
    <message>
        <source>Backup saved as %1.</source>
        <translation>备份已保存为 %1。</translation>
    </message>
    <message>
        <source>Written and verified.</source>
        <translation>已写入并校验。</translation>
    </message>
</context>
</TS>
